#pragma once
#include <stdexcept>

namespace sim {

// A user's mistake or an unusable device: one line on stderr, exit status 2.
class SimError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace sim
