#pragma once
// One equation of the tableau, `basic = constant + sum(coefficient * symbol)`,
// with its cells sorted by symbol id so that every walk over a row is in the
// same order, whatever order the cells arrived in.
#include "Symbol.h"

#include <vector>

namespace layout {

// Coefficients this close to zero are rounding leftovers, not terms.
inline bool nearZero(double value) {
    constexpr double kEpsilon = 1.0e-8;
    return value < kEpsilon && -value < kEpsilon;
}

class Row {
  public:
    struct Cell {
        Symbol symbol;
        double coefficient;
    };

    Row() = default;
    explicit Row(double constant) : m_constant(constant) {}

    const std::vector<Cell>& cells() const { return m_cells; }
    double constant() const { return m_constant; }
    double coefficientFor(Symbol symbol) const;

    // Returns the new constant.
    double add(double value) { return m_constant += value; }
    // Adds coefficient * symbol; a cell that cancels out goes.
    void insert(Symbol symbol, double coefficient = 1.0);
    // Adds coefficient * other, constant included.
    void insert(const Row& other, double coefficient = 1.0);
    void remove(Symbol symbol);
    void reverseSign();

    // Turns `0 = constant + ... + c * symbol` into `symbol = ...`.
    void solveFor(Symbol symbol);
    // Turns `lhs = ... + c * rhs` into `rhs = ... + lhs / c ...`.
    void solveFor(Symbol lhs, Symbol rhs);
    // Replaces symbol by the expression `row` gives for it. False if absent.
    bool substitute(Symbol symbol, const Row& row);

  private:
    std::vector<Cell>::iterator find(Symbol symbol);

    std::vector<Cell> m_cells;
    double m_constant = 0.0;
};

} // namespace layout
