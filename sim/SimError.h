#pragma once
#include <stdexcept>

namespace sim {

// A user's mistake or an unusable device: one line on stderr, exit status 2.
class SimError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failure a host program has already explained on stderr: exit status 2, no
// second line.
class ReportedFailure : public std::runtime_error {
  public:
    ReportedFailure() : std::runtime_error("reported by the host program") {}
};

// A check that ran and found a fault, already printed with its lines: exit
// status 1, told apart from bad input.
class CheckFailed : public std::runtime_error {
  public:
    CheckFailed() : std::runtime_error("a check found a fault") {}
};

// The verb ran, but what it was for did not happen: one line on stderr, exit
// status 1.
class IncompleteResult : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace sim
