#include <Layout/Error.h>

namespace layout {

std::string Error::message() const {
    std::string text;
    switch (m_kind) {
    case ErrorKind::DuplicateConstraint:
        text = "duplicate constraint";
        break;
    case ErrorKind::UnsatisfiableConstraint:
        text = "unsatisfiable constraint";
        break;
    case ErrorKind::UnknownConstraint:
        text = "unknown constraint";
        break;
    case ErrorKind::DuplicateEditVariable:
        text = "duplicate edit variable";
        break;
    case ErrorKind::UnknownEditVariable:
        text = "unknown edit variable";
        break;
    case ErrorKind::BadRequiredStrength:
        text = "an edit variable cannot be required";
        break;
    case ErrorKind::NumericalFailure:
        text = "the solver lost feasibility to rounding";
        break;
    }
    if (m_constraint)
        text += ": " + m_constraint->description();
    if (m_variable)
        text += ": " + (m_variable->name().empty() ? std::string("<unnamed>") : m_variable->name());
    return text;
}

} // namespace layout
