#pragma once
// A linear expression: terms plus a constant. Converts implicitly from a
// variable, a term or a number so that `x + 10 == y` reads as written.
#include <Layout/Term.h>

#include <vector>

namespace layout {

class LAYOUT_EXPORT Expression {
  public:
    Expression(double constant = 0.0) : m_constant(constant) {}
    Expression(Variable variable) : m_terms{Term(std::move(variable))} {}
    Expression(Term term, double constant = 0.0) : m_terms{std::move(term)}, m_constant(constant) {}
    Expression(std::vector<Term> terms, double constant = 0.0)
        : m_terms(std::move(terms)), m_constant(constant) {}

    const std::vector<Term>& terms() const { return m_terms; }
    double constant() const { return m_constant; }
    // With the variables' current values.
    double value() const;

    // One term per variable, in order of first appearance; zero terms kept
    // out.
    Expression reduced() const;

  private:
    std::vector<Term> m_terms;
    double m_constant = 0.0;
};

} // namespace layout
