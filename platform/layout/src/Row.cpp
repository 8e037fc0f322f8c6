#include "Row.h"

#include <algorithm>

namespace layout {

namespace {

bool before(const Row::Cell& cell, std::uint32_t id) {
    return cell.symbol.id < id;
}

} // namespace

std::vector<Row::Cell>::iterator Row::find(Symbol symbol) {
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), symbol.id, before);
    return it != m_cells.end() && it->symbol.id == symbol.id ? it : m_cells.end();
}

double Row::coefficientFor(Symbol symbol) const {
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), symbol.id, before);
    return it != m_cells.end() && it->symbol.id == symbol.id ? it->coefficient : 0.0;
}

void Row::insert(Symbol symbol, double coefficient) {
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), symbol.id, before);
    if (it != m_cells.end() && it->symbol.id == symbol.id) {
        it->coefficient += coefficient;
        if (nearZero(it->coefficient))
            m_cells.erase(it);
    } else if (!nearZero(coefficient)) {
        m_cells.insert(it, Cell{symbol, coefficient});
    }
}

void Row::insert(const Row& other, double coefficient) {
    m_constant += other.m_constant * coefficient;
    if (other.m_cells.empty())
        return;
    if (other.m_cells.size() == 1) {
        insert(other.m_cells.front().symbol, other.m_cells.front().coefficient * coefficient);
        return;
    }
    // One merge of two sorted lists; the spare buffer keeps its capacity.
    thread_local std::vector<Cell> merged;
    merged.clear();
    merged.reserve(m_cells.size() + other.m_cells.size());
    auto mine = m_cells.begin();
    auto theirs = other.m_cells.begin();
    while (mine != m_cells.end() || theirs != other.m_cells.end()) {
        if (theirs == other.m_cells.end() || (mine != m_cells.end() && mine->symbol.id < theirs->symbol.id)) {
            merged.push_back(*mine++);
            continue;
        }
        double value = theirs->coefficient * coefficient;
        if (mine != m_cells.end() && mine->symbol.id == theirs->symbol.id)
            value += (mine++)->coefficient;
        if (!nearZero(value))
            merged.push_back(Cell{theirs->symbol, value});
        ++theirs;
    }
    m_cells.swap(merged);
}

void Row::remove(Symbol symbol) {
    auto it = find(symbol);
    if (it != m_cells.end())
        m_cells.erase(it);
}

void Row::reverseSign() {
    m_constant = -m_constant;
    for (Cell& cell : m_cells)
        cell.coefficient = -cell.coefficient;
}

void Row::solveFor(Symbol symbol) {
    auto it = find(symbol);
    double factor = -1.0 / it->coefficient;
    m_cells.erase(it);
    m_constant *= factor;
    for (Cell& cell : m_cells)
        cell.coefficient *= factor;
}

void Row::solveFor(Symbol lhs, Symbol rhs) {
    insert(lhs, -1.0);
    solveFor(rhs);
}

bool Row::substitute(Symbol symbol, const Row& row) {
    auto it = find(symbol);
    if (it == m_cells.end())
        return false;
    double coefficient = it->coefficient;
    m_cells.erase(it);
    insert(row, coefficient);
    return true;
}

} // namespace layout
