#pragma once
// A variable times a coefficient.
#include <Layout/Variable.h>

namespace layout {

class LAYOUT_EXPORT Term {
  public:
    Term(Variable variable, double coefficient = 1.0)
        : m_variable(std::move(variable)), m_coefficient(coefficient) {}

    const Variable& variable() const { return m_variable; }
    double coefficient() const { return m_coefficient; }
    double value() const { return m_coefficient * m_variable.value(); }

  private:
    Variable m_variable;
    double m_coefficient;
};

} // namespace layout
