#include <Layout/Constraint.h>

#include <sstream>

namespace layout {

Constraint::Constraint(const Expression& expression, Relation relation, double strength)
    : m_data(std::make_shared<const Data>(Data{expression.reduced(), relation, clipStrength(strength)})) {}

Constraint::Constraint(const Constraint& other, double strength)
    : m_data(
          std::make_shared<const Data>(Data{other.expression(), other.relation(), clipStrength(strength)})) {}

std::string Constraint::description() const {
    std::ostringstream out;
    for (const Term& term : expression().terms()) {
        out << term.coefficient() << " * ";
        if (term.variable().name().empty())
            out << "<" << term.variable().identity() << ">";
        else
            out << term.variable().name();
        out << " + ";
    }
    out << expression().constant();
    switch (relation()) {
    case Relation::Equal:
        out << " == 0";
        break;
    case Relation::LessOrEqual:
        out << " <= 0";
        break;
    case Relation::GreaterOrEqual:
        out << " >= 0";
        break;
    }
    out << " (" << strength() << ")";
    return out.str();
}

} // namespace layout
