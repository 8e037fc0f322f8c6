#include <Layout/Variable.h>

namespace layout {

Variable::Variable() : m_data(std::make_shared<Data>()) {}

Variable::Variable(std::string name) : m_data(std::make_shared<Data>()) {
    m_data->name = std::move(name);
}

} // namespace layout
