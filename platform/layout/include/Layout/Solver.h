#pragma once
// An incremental Cassowary solver: constraints come and go one at a time and
// edit variables take suggested values, each change re-solving from the
// previous answer. Nothing throws; a refused call leaves the solver exactly as
// it was before the call, save NumericalFailure, which a sound tableau never
// meets (the simplex found no pivot: rounding broke an invariant).
#include <Layout/Constraint.h>
#include <Layout/Status.h>
#include <Layout/Symbolics.h>

#include <memory>

namespace layout {

class SolverImpl;

class LAYOUT_EXPORT Solver {
  public:
    Solver();
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;
    Solver(Solver&&) noexcept;
    Solver& operator=(Solver&&) noexcept;

    // DuplicateConstraint if it is already in; UnsatisfiableConstraint if it
    // is required and conflicts with the required constraints present.
    Status addConstraint(const Constraint& constraint);
    // UnknownConstraint if it is not in.
    Status removeConstraint(const Constraint& constraint);
    bool hasConstraint(const Constraint& constraint) const;

    // Makes `variable == suggestion` an optional constraint of that strength,
    // suggesting 0 until suggestValue(). DuplicateEditVariable if it is one
    // already; BadRequiredStrength if the strength is required.
    Status addEditVariable(const Variable& variable, double strength);
    // UnknownEditVariable if it is not an edit variable.
    Status removeEditVariable(const Variable& variable);
    bool hasEditVariable(const Variable& variable) const;
    // UnknownEditVariable if it is not an edit variable.
    Status suggestValue(const Variable& variable, double value);

    // Writes the current answer into every variable the solver knows.
    void updateVariables();
    // Back to an empty solver.
    void reset();

  private:
    std::unique_ptr<SolverImpl> m_impl;
};

} // namespace layout
