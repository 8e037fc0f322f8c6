// The constraint solver under any sequence of calls: adds, removes, edit
// variables and suggestions with small random coefficients, strengths and
// constants. It must never stop the process, every answer must be a number,
// and a refused call must leave every answer as it was.
#include <Layout/Solver.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    std::uint8_t next() { return m_at < m_size ? m_data[m_at++] : 0; }
    // A small number, negative included, sometimes a fraction.
    double number() {
        const int whole = static_cast<int>(next() % 41) - 20;
        return next() % 4 == 0 ? whole / 4.0 : whole;
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

constexpr double kStrengths[] = {layout::kRequired, 750, 500, 250, 1};

std::vector<double> answers(layout::Solver& solver, const std::vector<layout::Variable>& variables) {
    solver.updateVariables();
    std::vector<double> values;
    for (const layout::Variable& variable : variables) {
        if (!std::isfinite(variable.value()))
            std::abort();
        values.push_back(variable.value());
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    std::vector<layout::Variable> variables(4);
    std::vector<layout::Constraint> added;
    layout::Solver solver;
    while (!bytes.empty()) {
        const std::vector<double> before = answers(solver, variables);
        layout::Status status;
        switch (bytes.next() % 5) {
        case 0: { // a constraint over two variables and a constant
            layout::Expression left = variables[bytes.next() % 4] * bytes.number() + bytes.number();
            layout::Expression right = variables[bytes.next() % 4] * bytes.number();
            const std::uint8_t relation = bytes.next() % 3;
            layout::Constraint constraint = relation == 0   ? (left == right)
                                            : relation == 1 ? (left <= right)
                                                            : (left >= right);
            constraint = constraint | kStrengths[bytes.next() % 5];
            status = solver.addConstraint(constraint);
            if (status.ok())
                added.push_back(constraint);
            break;
        }
        case 1:
            if (!added.empty()) {
                const std::size_t which = bytes.next() % added.size();
                status = solver.removeConstraint(added[which]);
                added.erase(added.begin() + static_cast<std::ptrdiff_t>(which));
            }
            break;
        case 2:
            status = solver.addEditVariable(variables[bytes.next() % 4], kStrengths[1 + bytes.next() % 4]);
            break;
        case 3:
            status = solver.suggestValue(variables[bytes.next() % 4], bytes.number() * 10);
            break;
        default:
            status = solver.removeEditVariable(variables[bytes.next() % 4]);
            break;
        }
        if (!status.ok() && answers(solver, variables) != before)
            std::abort(); // a refused call changed the answer
    }
    return 0;
}
