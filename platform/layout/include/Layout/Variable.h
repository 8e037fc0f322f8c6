#pragma once
// A value the solver decides. A handle: copies name the same variable, and the
// solver writes its answer into it on updateVariables().
#include <Layout/LayoutDefines.h>

#include <cstddef>
#include <memory>
#include <string>

namespace layout {

class LAYOUT_EXPORT Variable {
  public:
    Variable();
    explicit Variable(std::string name);

    const std::string& name() const { return m_data->name; }
    void setName(std::string name) { m_data->name = std::move(name); }
    double value() const { return m_data->value; }
    void setValue(double value) { m_data->value = value; }

    // Identity, not value: `==` between variables builds a constraint.
    bool sameAs(const Variable& other) const { return m_data == other.m_data; }
    const void* identity() const { return m_data.get(); }

  private:
    struct Data {
        std::string name;
        double value = 0.0;
    };
    std::shared_ptr<Data> m_data;
};

} // namespace layout
