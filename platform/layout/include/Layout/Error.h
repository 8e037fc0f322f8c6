#pragma once
// Why a solver call was refused, with the constraint or variable at fault.
#include <Layout/Constraint.h>

#include <optional>
#include <string>

namespace layout {

enum class ErrorKind {
    DuplicateConstraint,     // added twice
    UnsatisfiableConstraint, // required, and conflicts with the required ones present
    UnknownConstraint,       // removed but never added
    DuplicateEditVariable,   // made an edit variable twice
    UnknownEditVariable,     // not an edit variable
    BadRequiredStrength,     // an edit variable cannot be required
    NumericalFailure,        // the simplex could not proceed; a rounding breakdown
};

class LAYOUT_EXPORT Error {
  public:
    Error(ErrorKind kind, Constraint constraint) : m_kind(kind), m_constraint(std::move(constraint)) {}
    Error(ErrorKind kind, Variable variable) : m_kind(kind), m_variable(std::move(variable)) {}
    explicit Error(ErrorKind kind) : m_kind(kind) {}

    ErrorKind kind() const { return m_kind; }
    // Set for the constraint errors.
    const std::optional<Constraint>& constraint() const { return m_constraint; }
    // Set for the edit-variable errors.
    const std::optional<Variable>& variable() const { return m_variable; }

    // "unsatisfiable constraint: x + -10 == 0 (1000)".
    std::string message() const;

  private:
    ErrorKind m_kind;
    std::optional<Constraint> m_constraint;
    std::optional<Variable> m_variable;
};

} // namespace layout
