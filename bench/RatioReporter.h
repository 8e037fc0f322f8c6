#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The usual console output, then the ratios the speed goals are stated in.
// Both sides of a ratio come from the same run, so most of the noise of a
// shared machine cancels out. CPU time throughout: a loaded machine inflates
// wall time with other processes' work.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    struct Ratio {
        std::string label;
        std::string numerator;   // a benchmark's name, arguments included
        std::string denominator; // a benchmark, or empty for a fixed time
        double fixedSeconds = 0; // the fixed time when there is no denominator
        double goal = 0;         // the largest ratio that meets the goal; 0: reported only
        std::string counter;     // when set, the ratio is this counter of the numerator
    };

    // Plain text: the table ends up in logs as often as on a terminal.
    explicit RatioReporter(std::vector<Ratio> ratios)
        : ConsoleReporter(OO_Tabular), m_ratios(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    // A row whose benchmarks did not run says so instead of a number.
    void printRatios(std::ostream& out) const;

  private:
    const double* secondsOf(const std::string& name) const;
    std::optional<double> valueOf(const Ratio& ratio) const;

    std::vector<Ratio> m_ratios;
    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_counters; // "benchmark#counter"
    std::map<std::string, bool> m_fromMedian;
};
