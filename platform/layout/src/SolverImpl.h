#pragma once
// The simplex behind Solver: constraints become rows of a tableau kept in
// solved form; adding or removing one restores optimality with the primal
// simplex, and a suggested value restores feasibility with the dual simplex.
#include "Row.h"
#include "Tableau.h"

#include <Layout/Constraint.h>
#include <Layout/Status.h>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace layout {

class SolverImpl {
  public:
    Status addConstraint(const Constraint& constraint);
    Status removeConstraint(const Constraint& constraint);
    bool hasConstraint(const Constraint& constraint) const {
        return m_constraints.contains(constraint.identity());
    }

    Status addEditVariable(const Variable& variable, double strength);
    Status removeEditVariable(const Variable& variable);
    bool hasEditVariable(const Variable& variable) const { return m_edits.contains(variable.identity()); }
    Status suggestValue(const Variable& variable, double value);

    void updateVariables();
    void reset();

  private:
    // Where a constraint's own symbols are, to find its row again.
    struct Tag {
        Symbol marker;
        Symbol other;
    };
    struct ConstraintInfo {
        Constraint constraint;
        Tag tag;
    };
    struct EditInfo {
        Constraint constraint;
        Tag tag;
        double suggestion;
    };
    struct VariableInfo {
        Variable variable;
        Symbol symbol;
    };

    Symbol newSymbol(Symbol::Type type) { return Symbol{m_nextId++, type}; }
    Symbol symbolFor(const Variable& variable);
    Row createRow(const Constraint& constraint, Tag& tag);
    Symbol chooseSubject(const Row& row, const Tag& tag) const;
    bool addWithArtificialVariable(Row row);
    void substitute(Symbol symbol, const Row& row);
    void pivot(std::size_t slot, Symbol entering);
    bool optimize(const Row& objective);
    bool dualOptimize();
    Symbol dualEnteringSymbol(const Row& row) const;
    int leavingSlot(Symbol entering) const;
    int markerLeavingSlot(Symbol marker) const;
    void removeMarkerEffects(Symbol marker, double strength);

    std::unordered_map<const void*, ConstraintInfo> m_constraints;
    std::unordered_map<const void*, EditInfo> m_edits;
    std::unordered_map<const void*, std::uint32_t> m_variableIndex;
    std::vector<VariableInfo> m_variables;
    Tableau m_rows;
    std::vector<Symbol> m_infeasibleRows;
    Row m_objective;
    std::optional<Row> m_artificial;
    std::uint32_t m_nextId = 1;
};

} // namespace layout
