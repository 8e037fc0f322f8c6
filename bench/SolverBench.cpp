// The layout solver on a settings-like page: 10, 300 or 1,000 views in rows
// of three, each placed after its neighbour and below the row above, widths
// shared out of the window width. Built from nothing, and re-solved after the
// window width (an edit variable) changes. bench/solver_oracle_bench.py
// builds the same pages with kiwisolver and prints both.
#include <Layout/Solver.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <vector>

namespace {

using namespace layout;

constexpr int kColumns = 3;
constexpr double kWindowStrength = 900;

struct Page {
    Variable window{"window"};
    std::vector<Variable> variables;
    std::vector<Constraint> constraints;
    int views;

    explicit Page(int count) : views(count) {
        variables.reserve(4 * static_cast<std::size_t>(views));
        for (int i = 0; i < views; ++i) {
            Variable x("x" + std::to_string(i)), y("y" + std::to_string(i)), width("w" + std::to_string(i)),
                height("h" + std::to_string(i));
            variables.insert(variables.end(), {x, y, width, height});
            const int column = i % kColumns;
            if (column == 0) {
                constraints.push_back(x == 16);
                if (i == 0)
                    constraints.push_back(y == 20);
                else
                    constraints.push_back(y == at(i - kColumns, 1) + at(i - kColumns, 3) + 8);
            } else {
                constraints.push_back(x == at(i - 1, 0) + at(i - 1, 2) + 8);
                constraints.push_back(y == at(i - column, 1));
            }
            constraints.push_back(width >= 44);
            constraints.push_back((3 * width == window - 48) | 750);
            constraints.push_back(height == 44 + (i % 5) * 4);
            if (column == kColumns - 1)
                constraints.push_back(x + width <= window - 16);
        }
    }

    const Variable& at(int view, int field) const { return variables[4 * view + field]; }

    void build(Solver& solver) const {
        if (!solver.addEditVariable(window, kWindowStrength) || !solver.suggestValue(window, 390))
            std::abort();
        for (const Constraint& constraint : constraints)
            if (!solver.addConstraint(constraint))
                std::abort();
        solver.updateVariables();
    }
};

// Argument: the number of views.
const Page& page(const benchmark::State& state) {
    static std::map<int, Page> made;
    const int views = static_cast<int>(state.range(0));
    return made.try_emplace(views, views).first->second;
}

void BM_SolverBuildPage(benchmark::State& state) {
    const Page& built = page(state);
    for (auto _ : state) {
        Solver solver;
        built.build(solver);
        benchmark::DoNotOptimize(built.variables.back().value());
    }
    state.counters["constraints"] = static_cast<double>(built.constraints.size());
}
BENCHMARK(BM_SolverBuildPage)->Arg(10)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_SolverEditWindowWidth(benchmark::State& state) {
    const Page& built = page(state);
    Solver solver;
    built.build(solver);
    double widths[] = {414, 390};
    int turn = 0;
    for (auto _ : state) {
        if (!solver.suggestValue(built.window, widths[turn ^= 1]))
            std::abort();
        solver.updateVariables();
        benchmark::DoNotOptimize(built.variables.back().value());
    }
    // Sanity: the last view sits where the arithmetic says.
    if (built.at(built.views - 1, 2).value() != (widths[turn] - 48) / 3)
        state.SkipWithError("wrong answer");
}
BENCHMARK(BM_SolverEditWindowWidth)->Arg(10)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
