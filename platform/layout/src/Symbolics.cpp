#include <Layout/Symbolics.h>

namespace layout {

Term operator*(const Variable& variable, double coefficient) {
    return Term(variable, coefficient);
}
Term operator*(double coefficient, const Variable& variable) {
    return Term(variable, coefficient);
}
Term operator/(const Variable& variable, double denominator) {
    return Term(variable, 1.0 / denominator);
}
Term operator-(const Variable& variable) {
    return Term(variable, -1.0);
}

Term operator*(const Term& term, double coefficient) {
    return Term(term.variable(), term.coefficient() * coefficient);
}
Term operator*(double coefficient, const Term& term) {
    return term * coefficient;
}
Term operator/(const Term& term, double denominator) {
    return term * (1.0 / denominator);
}
Term operator-(const Term& term) {
    return term * -1.0;
}

Expression operator*(const Expression& expression, double coefficient) {
    std::vector<Term> terms;
    terms.reserve(expression.terms().size());
    for (const Term& term : expression.terms())
        terms.push_back(term * coefficient);
    return Expression(std::move(terms), expression.constant() * coefficient);
}
Expression operator*(double coefficient, const Expression& expression) {
    return expression * coefficient;
}
Expression operator/(const Expression& expression, double denominator) {
    return expression * (1.0 / denominator);
}
Expression operator-(const Expression& expression) {
    return expression * -1.0;
}

Expression operator+(const Expression& first, const Expression& second) {
    std::vector<Term> terms;
    terms.reserve(first.terms().size() + second.terms().size());
    terms.insert(terms.end(), first.terms().begin(), first.terms().end());
    terms.insert(terms.end(), second.terms().begin(), second.terms().end());
    return Expression(std::move(terms), first.constant() + second.constant());
}
Expression operator-(const Expression& first, const Expression& second) {
    return first + -second;
}

Constraint operator==(const Expression& first, const Expression& second) {
    return Constraint(first - second, Relation::Equal);
}
Constraint operator<=(const Expression& first, const Expression& second) {
    return Constraint(first - second, Relation::LessOrEqual);
}
Constraint operator>=(const Expression& first, const Expression& second) {
    return Constraint(first - second, Relation::GreaterOrEqual);
}
Constraint operator|(const Constraint& constraint, double strength) {
    return Constraint(constraint, strength);
}

} // namespace layout
