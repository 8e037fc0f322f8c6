#include "RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string name = run.run_name.str();
        const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        // With repetitions the median stands for the benchmark; otherwise its one run.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (median || (run.run_type != Run::RT_Aggregate && !m_fromMedian[name])) {
            m_seconds[name] = seconds;
            for (const auto& [counter, value] : run.counters)
                m_counters[name + "#" + counter] = value.value;
            m_fromMedian[name] = median;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

const double* RatioReporter::secondsOf(const std::string& name) const {
    auto it = m_seconds.find(name);
    return it == m_seconds.end() ? nullptr : &it->second;
}

std::optional<double> RatioReporter::valueOf(const Ratio& ratio) const {
    if (!ratio.counter.empty()) {
        auto it = m_counters.find(ratio.numerator + "#" + ratio.counter);
        return it == m_counters.end() ? std::nullopt : std::optional<double>(it->second);
    }
    const double* numerator = secondsOf(ratio.numerator);
    const double* denominator =
        ratio.denominator.empty() ? &ratio.fixedSeconds : secondsOf(ratio.denominator);
    if (!numerator || !denominator || *denominator <= 0)
        return std::nullopt;
    return *numerator / *denominator;
}

void RatioReporter::printRatios(std::ostream& out) const {
    out << "\nRatios of this run (CPU time)\n";
    char line[160];
    std::snprintf(line, sizeof line, "%-64s %10s %8s\n", "", "ratio", "goal");
    out << line;
    for (const Ratio& ratio : m_ratios) {
        const std::optional<double> value = valueOf(ratio);
        if (value && ratio.goal <= 0)
            std::snprintf(line, sizeof line, "%-64s %9.3fx %8s\n", ratio.label.c_str(), *value, "-");
        else if (value)
            std::snprintf(line, sizeof line, "%-64s %9.3fx %7.2fx  %s\n", ratio.label.c_str(), *value,
                          ratio.goal, *value <= ratio.goal ? "met" : "MISSED");
        else
            std::snprintf(line, sizeof line, "%-64s %10s %7.2fx  %s\n", ratio.label.c_str(), "-", ratio.goal,
                          "not measured in this run");
        out << line;
    }
}
