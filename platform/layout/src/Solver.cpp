#include <Layout/Solver.h>

#include "SolverImpl.h"

namespace layout {

Solver::Solver() : m_impl(std::make_unique<SolverImpl>()) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

Status Solver::addConstraint(const Constraint& constraint) {
    return m_impl->addConstraint(constraint);
}
Status Solver::removeConstraint(const Constraint& constraint) {
    return m_impl->removeConstraint(constraint);
}
bool Solver::hasConstraint(const Constraint& constraint) const {
    return m_impl->hasConstraint(constraint);
}

Status Solver::addEditVariable(const Variable& variable, double strength) {
    return m_impl->addEditVariable(variable, strength);
}
Status Solver::removeEditVariable(const Variable& variable) {
    return m_impl->removeEditVariable(variable);
}
bool Solver::hasEditVariable(const Variable& variable) const {
    return m_impl->hasEditVariable(variable);
}
Status Solver::suggestValue(const Variable& variable, double value) {
    return m_impl->suggestValue(variable, value);
}

void Solver::updateVariables() {
    m_impl->updateVariables();
}
void Solver::reset() {
    m_impl->reset();
}

} // namespace layout
