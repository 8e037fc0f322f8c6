#pragma once
// Scenarios that need the engine installed run in a child process (hooks last
// a process); the child counts failed checks and exits with that count.
#include "SimulatedDevice.h"
#include "VantorelStartup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// The number of failed checks, printed one a line for the parent to show.
struct Checks {
    int failed = 0;
    void operator()(bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "failed: %s\n", what);
            ++failed;
        }
    }
};
#define CHECK(c, expr) c(expr, #expr)

// Runs `scenario` in a child with the engine installed in a Messages process
// whose container copy of the settings holds `settings`.
inline void inMessages(const ns::PlistDictionary& settings, int (*scenario)(SimulatedDevice&)) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            device.write(SimulatedDevice::target(), settings);
            VantorelStartup::mainInitialiser();
            std::exit(scenario(device));
        },
        ::testing::ExitedWithCode(0), "");
}
