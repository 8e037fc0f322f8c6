#include "SolverImpl.h"

#include <algorithm>
#include <limits>

namespace layout {

namespace {

constexpr double kNoRatio = std::numeric_limits<double>::max();

bool allDummies(const Row& row) {
    return std::all_of(row.cells().begin(), row.cells().end(),
                       [](const Row::Cell& cell) { return cell.symbol.type == Symbol::Type::Dummy; });
}

// First slack or error symbol of a row.
Symbol anyPivotableSymbol(const Row& row) {
    for (const Row::Cell& cell : row.cells())
        if (cell.symbol.pivotable())
            return cell.symbol;
    return Symbol{};
}

// The lowest symbol with a negative cost; none when the objective is minimal.
Symbol enteringSymbol(const Row& objective) {
    for (const Row::Cell& cell : objective.cells())
        if (cell.symbol.type != Symbol::Type::Dummy && cell.coefficient < 0.0)
            return cell.symbol;
    return Symbol{};
}

} // namespace

Status SolverImpl::addConstraint(const Constraint& constraint) {
    if (hasConstraint(constraint))
        return Error(ErrorKind::DuplicateConstraint, constraint);

    // Enough to forget this constraint if it is refused: the variables it
    // brought and the symbols it numbered. The tableau itself changes before
    // the verdict only on the artificial-variable path, which keeps its own
    // journal.
    const std::uint32_t firstNewId = m_nextId;
    const std::size_t knownVariables = m_variables.size();
    auto refuse = [&] {
        for (std::size_t i = knownVariables; i < m_variables.size(); ++i)
            m_variableIndex.erase(m_variables[i].variable.identity());
        m_variables.resize(knownVariables);
        m_nextId = firstNewId;
        return Error(ErrorKind::UnsatisfiableConstraint, constraint);
    };

    Tag tag;
    Row row = createRow(constraint, tag);
    Symbol subject = chooseSubject(row, tag);
    // A row of dummies alone is a required equality already implied by the
    // others (constant zero) or contradicting them.
    if (!subject.valid() && allDummies(row)) {
        if (!nearZero(row.constant()))
            return refuse();
        subject = tag.marker;
    }
    if (!subject.valid()) {
        if (!addWithArtificialVariable(std::move(row)))
            return refuse();
    } else {
        row.solveFor(subject);
        // A symbol numbered for this constraint is in no row yet.
        if (subject.id >= firstNewId)
            m_objective.substitute(subject, row);
        else
            substitute(subject, row);
        m_rows.insert(subject, std::move(row));
    }
    m_constraints.emplace(constraint.identity(), ConstraintInfo{constraint, tag});
    if (!optimize(m_objective))
        return Error(ErrorKind::NumericalFailure, constraint);
    return {};
}

Status SolverImpl::removeConstraint(const Constraint& constraint) {
    auto found = m_constraints.find(constraint.identity());
    if (found == m_constraints.end())
        return Error(ErrorKind::UnknownConstraint, constraint);
    Tag tag = found->second.tag;
    m_constraints.erase(found);

    // The error terms leave the objective before any pivot, or the pivots
    // would carry them into it.
    if (tag.marker.type == Symbol::Type::Error)
        removeMarkerEffects(tag.marker, constraint.strength());
    if (tag.other.type == Symbol::Type::Error)
        removeMarkerEffects(tag.other, constraint.strength());

    // Its row goes: directly if the marker is basic, else after pivoting the
    // marker into the basis.
    if (m_rows.find(tag.marker)) {
        m_rows.take(tag.marker);
    } else {
        int slot = markerLeavingSlot(tag.marker);
        if (slot < 0)
            return Error(ErrorKind::NumericalFailure, constraint);
        Symbol leaving = m_rows.basicAt(slot);
        Row row = m_rows.take(leaving);
        row.solveFor(leaving, tag.marker);
        substitute(tag.marker, row);
    }
    if (!optimize(m_objective))
        return Error(ErrorKind::NumericalFailure, constraint);
    return {};
}

Status SolverImpl::addEditVariable(const Variable& variable, double strength) {
    if (hasEditVariable(variable))
        return Error(ErrorKind::DuplicateEditVariable, variable);
    strength = clipStrength(strength);
    if (strength >= kRequired)
        return Error(ErrorKind::BadRequiredStrength, variable);
    Constraint constraint(Expression(variable), Relation::Equal, strength);
    if (Status status = addConstraint(constraint); !status)
        return status;
    m_edits.emplace(variable.identity(),
                    EditInfo{constraint, m_constraints.at(constraint.identity()).tag, 0.0});
    return {};
}

Status SolverImpl::removeEditVariable(const Variable& variable) {
    auto found = m_edits.find(variable.identity());
    if (found == m_edits.end())
        return Error(ErrorKind::UnknownEditVariable, variable);
    Status status = removeConstraint(found->second.constraint);
    m_edits.erase(found);
    return status;
}

Status SolverImpl::suggestValue(const Variable& variable, double value) {
    auto found = m_edits.find(variable.identity());
    if (found == m_edits.end())
        return Error(ErrorKind::UnknownEditVariable, variable);
    EditInfo& info = found->second;
    double delta = value - info.suggestion;
    info.suggestion = value;

    // The edit's row moves by delta: through its error symbols where they are
    // basic, else through every row that holds them.
    if (Row* row = m_rows.modify(info.tag.marker)) {
        if (row->add(-delta) < 0.0)
            m_infeasibleRows.push_back(info.tag.marker);
    } else if (Row* row = m_rows.modify(info.tag.other)) {
        if (row->add(delta) < 0.0)
            m_infeasibleRows.push_back(info.tag.other);
    } else {
        for (std::size_t slot = 0; slot < m_rows.slotCount(); ++slot) {
            Symbol basic = m_rows.basicAt(slot);
            if (!basic.valid())
                continue;
            double coefficient = m_rows.rowAt(slot).coefficientFor(info.tag.marker);
            if (coefficient != 0.0 && m_rows.modifyAt(slot).add(delta * coefficient) < 0.0 &&
                basic.restricted())
                m_infeasibleRows.push_back(basic);
        }
    }
    if (!dualOptimize())
        return Error(ErrorKind::NumericalFailure, variable);
    return {};
}

void SolverImpl::updateVariables() {
    for (VariableInfo& info : m_variables) {
        const Row* row = m_rows.find(info.symbol);
        // + 0.0 turns a negative zero into zero.
        info.variable.setValue((row ? row->constant() : 0.0) + 0.0);
    }
}

void SolverImpl::reset() {
    m_constraints.clear();
    m_edits.clear();
    m_variableIndex.clear();
    m_variables.clear();
    m_rows.clear();
    m_infeasibleRows.clear();
    m_objective = Row();
    m_artificial.reset();
    m_nextId = 1;
}

Symbol SolverImpl::symbolFor(const Variable& variable) {
    auto [it, fresh] =
        m_variableIndex.try_emplace(variable.identity(), static_cast<std::uint32_t>(m_variables.size()));
    if (!fresh)
        return m_variables[it->second].symbol;
    Symbol symbol = newSymbol(Symbol::Type::External);
    m_variables.push_back(VariableInfo{variable, symbol});
    return symbol;
}

// The constraint in terms of the current parametric symbols, with its slack,
// error or dummy symbols, and a constant that is never negative.
Row SolverImpl::createRow(const Constraint& constraint, Tag& tag) {
    const Expression& expression = constraint.expression();
    Row row(expression.constant());
    for (const Term& term : expression.terms()) {
        if (nearZero(term.coefficient()))
            continue;
        Symbol symbol = symbolFor(term.variable());
        if (const Row* basic = m_rows.find(symbol))
            row.insert(*basic, term.coefficient());
        else
            row.insert(symbol, term.coefficient());
    }

    const bool required = constraint.isRequired();
    if (constraint.relation() == Relation::Equal) {
        if (required) {
            tag.marker = newSymbol(Symbol::Type::Dummy);
            row.insert(tag.marker);
        } else {
            // expression = plus - minus, each weighed in the objective.
            tag.marker = newSymbol(Symbol::Type::Error);
            tag.other = newSymbol(Symbol::Type::Error);
            row.insert(tag.marker, -1.0);
            row.insert(tag.other, 1.0);
            m_objective.insert(tag.marker, constraint.strength());
            m_objective.insert(tag.other, constraint.strength());
        }
    } else {
        double sign = constraint.relation() == Relation::LessOrEqual ? 1.0 : -1.0;
        tag.marker = newSymbol(Symbol::Type::Slack);
        row.insert(tag.marker, sign);
        if (!required) {
            tag.other = newSymbol(Symbol::Type::Error);
            row.insert(tag.other, -sign);
            m_objective.insert(tag.other, constraint.strength());
        }
    }
    if (row.constant() < 0.0)
        row.reverseSign();
    return row;
}

// An external symbol if there is one, else the constraint's own slack or error
// symbol when its coefficient is negative (so the row stays feasible).
Symbol SolverImpl::chooseSubject(const Row& row, const Tag& tag) const {
    for (const Row::Cell& cell : row.cells())
        if (cell.symbol.type == Symbol::Type::External)
            return cell.symbol;
    if (tag.marker.pivotable() && row.coefficientFor(tag.marker) < 0.0)
        return tag.marker;
    if (tag.other.pivotable() && row.coefficientFor(tag.other) < 0.0)
        return tag.other;
    return Symbol{};
}

// Phase one for a row with no subject: an artificial variable takes the row,
// and minimising it to zero shows the constraint can hold. When it cannot,
// the pivots made on the way are taken back, so a refused constraint leaves
// the tableau exactly as it was.
bool SolverImpl::addWithArtificialVariable(Row row) {
    m_rows.beginJournal();
    Row savedObjective = m_objective;
    const std::size_t savedInfeasible = m_infeasibleRows.size();

    Symbol artificial = newSymbol(Symbol::Type::Slack);
    m_rows.insert(artificial, row);
    m_artificial = std::move(row);
    bool satisfiable = optimize(*m_artificial) && nearZero(m_artificial->constant());
    m_artificial.reset();

    // Still basic (at zero): pivot it out so its column can go.
    if (satisfiable && m_rows.find(artificial)) {
        Row artificialRow = m_rows.take(artificial);
        if (!artificialRow.cells().empty()) {
            Symbol entering = anyPivotableSymbol(artificialRow);
            if (entering.valid()) {
                artificialRow.solveFor(artificial, entering);
                substitute(entering, artificialRow);
                m_rows.insert(entering, std::move(artificialRow));
            } else {
                satisfiable = false;
            }
        }
    }
    if (!satisfiable) {
        m_rows.rollBack();
        m_objective = std::move(savedObjective);
        m_infeasibleRows.resize(savedInfeasible);
        return false;
    }
    for (std::size_t slot = 0; slot < m_rows.slotCount(); ++slot)
        if (m_rows.basicAt(slot).valid() && m_rows.rowAt(slot).coefficientFor(artificial) != 0.0)
            m_rows.modifyAt(slot).remove(artificial);
    m_objective.remove(artificial);
    m_rows.dropJournal();
    return true;
}

void SolverImpl::substitute(Symbol symbol, const Row& row) {
    for (std::size_t slot = 0; slot < m_rows.slotCount(); ++slot) {
        Symbol basic = m_rows.basicAt(slot);
        if (!basic.valid() || m_rows.rowAt(slot).coefficientFor(symbol) == 0.0)
            continue;
        Row& target = m_rows.modifyAt(slot);
        target.substitute(symbol, row);
        if (basic.restricted() && target.constant() < 0.0)
            m_infeasibleRows.push_back(basic);
    }
    m_objective.substitute(symbol, row);
    if (m_artificial)
        m_artificial->substitute(symbol, row);
}

void SolverImpl::pivot(std::size_t slot, Symbol entering) {
    Symbol leaving = m_rows.basicAt(slot);
    Row row = m_rows.take(leaving);
    row.solveFor(leaving, entering);
    substitute(entering, row);
    m_rows.insert(entering, std::move(row));
}

// Primal simplex. Entering and leaving symbols follow Bland's rule (lowest
// id first), so degenerate pivots cannot cycle.
bool SolverImpl::optimize(const Row& objective) {
    for (;;) {
        Symbol entering = enteringSymbol(objective);
        if (!entering.valid())
            return true;
        int slot = leavingSlot(entering);
        if (slot < 0)
            return false; // unbounded: cannot happen with non-negative strengths
        pivot(static_cast<std::size_t>(slot), entering);
    }
}

// Dual simplex: the objective is optimal but some rows went negative after a
// suggestion.
bool SolverImpl::dualOptimize() {
    while (!m_infeasibleRows.empty()) {
        Symbol leaving = m_infeasibleRows.back();
        m_infeasibleRows.pop_back();
        int slot = m_rows.slotOf(leaving);
        if (slot < 0)
            continue;
        double constant = m_rows.rowAt(slot).constant();
        if (nearZero(constant) || constant >= 0.0)
            continue;
        Symbol entering = dualEnteringSymbol(m_rows.rowAt(slot));
        if (!entering.valid()) {
            m_infeasibleRows.clear();
            return false;
        }
        pivot(static_cast<std::size_t>(slot), entering);
    }
    return true;
}

Symbol SolverImpl::dualEnteringSymbol(const Row& row) const {
    Symbol entering;
    double best = kNoRatio;
    for (const Row::Cell& cell : row.cells()) {
        if (cell.coefficient > 0.0 && cell.symbol.type != Symbol::Type::Dummy) {
            double ratio = m_objective.coefficientFor(cell.symbol) / cell.coefficient;
            if (ratio < best) {
                best = ratio;
                entering = cell.symbol;
            }
        }
    }
    return entering;
}

// The restricted row that limits the entering symbol first; -1 if none does.
int SolverImpl::leavingSlot(Symbol entering) const {
    int found = -1;
    std::uint32_t foundId = 0;
    double best = kNoRatio;
    for (std::size_t slot = 0; slot < m_rows.slotCount(); ++slot) {
        Symbol basic = m_rows.basicAt(slot);
        if (!basic.valid() || !basic.restricted())
            continue;
        const Row& row = m_rows.rowAt(slot);
        double coefficient = row.coefficientFor(entering);
        if (coefficient >= 0.0)
            continue;
        double ratio = -row.constant() / coefficient;
        if (ratio < best || (ratio == best && basic.id < foundId)) {
            best = ratio;
            found = static_cast<int>(slot);
            foundId = basic.id;
        }
    }
    return found;
}

// The row to pivot a non-basic marker into: a restricted row where it has a
// negative coefficient with the least ratio, else a restricted row with the
// least ratio, else an unrestricted row that holds it.
int SolverImpl::markerLeavingSlot(Symbol marker) const {
    struct Best {
        int slot = -1;
        std::uint32_t id = 0;
        double ratio = kNoRatio;
        void offer(std::size_t candidate, std::uint32_t candidateId, double candidateRatio) {
            if (candidateRatio < ratio || (candidateRatio == ratio && candidateId < id)) {
                slot = static_cast<int>(candidate);
                id = candidateId;
                ratio = candidateRatio;
            }
        }
    };
    Best negative, positive;
    int unrestricted = -1;
    std::uint32_t unrestrictedId = 0;
    for (std::size_t slot = 0; slot < m_rows.slotCount(); ++slot) {
        Symbol basic = m_rows.basicAt(slot);
        if (!basic.valid())
            continue;
        const Row& row = m_rows.rowAt(slot);
        double coefficient = row.coefficientFor(marker);
        if (coefficient == 0.0)
            continue;
        if (!basic.restricted()) {
            if (unrestricted < 0 || basic.id > unrestrictedId) {
                unrestricted = static_cast<int>(slot);
                unrestrictedId = basic.id;
            }
        } else if (coefficient < 0.0) {
            negative.offer(slot, basic.id, -row.constant() / coefficient);
        } else {
            positive.offer(slot, basic.id, row.constant() / coefficient);
        }
    }
    if (negative.slot >= 0)
        return negative.slot;
    if (positive.slot >= 0)
        return positive.slot;
    return unrestricted;
}

void SolverImpl::removeMarkerEffects(Symbol marker, double strength) {
    if (const Row* row = m_rows.find(marker))
        m_objective.insert(*row, -strength);
    else
        m_objective.insert(marker, -strength);
}

} // namespace layout
