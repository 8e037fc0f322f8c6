#pragma once
// Operators that build terms, expressions and constraints:
//   solver.addConstraint(x + width + 8 == y);
//   solver.addConstraint((width >= 44) | 750);
#include <Layout/Constraint.h>

namespace layout {

LAYOUT_EXPORT Term operator*(const Variable& variable, double coefficient);
LAYOUT_EXPORT Term operator*(double coefficient, const Variable& variable);
LAYOUT_EXPORT Term operator/(const Variable& variable, double denominator);
LAYOUT_EXPORT Term operator-(const Variable& variable);

LAYOUT_EXPORT Term operator*(const Term& term, double coefficient);
LAYOUT_EXPORT Term operator*(double coefficient, const Term& term);
LAYOUT_EXPORT Term operator/(const Term& term, double denominator);
LAYOUT_EXPORT Term operator-(const Term& term);

LAYOUT_EXPORT Expression operator*(const Expression& expression, double coefficient);
LAYOUT_EXPORT Expression operator*(double coefficient, const Expression& expression);
LAYOUT_EXPORT Expression operator/(const Expression& expression, double denominator);
LAYOUT_EXPORT Expression operator-(const Expression& expression);

// Variables, terms and numbers convert to expressions for these.
LAYOUT_EXPORT Expression operator+(const Expression& first, const Expression& second);
LAYOUT_EXPORT Expression operator-(const Expression& first, const Expression& second);

// Required constraints; `| strength` makes them optional.
LAYOUT_EXPORT Constraint operator==(const Expression& first, const Expression& second);
LAYOUT_EXPORT Constraint operator<=(const Expression& first, const Expression& second);
LAYOUT_EXPORT Constraint operator>=(const Expression& first, const Expression& second);
LAYOUT_EXPORT Constraint operator|(const Constraint& constraint, double strength);

} // namespace layout
