#pragma once
#include <functional>

namespace sim {

// After a respring, Messages must read what the user's settings file says: the
// engine copies the file into Messages' Documents folder. A verb that resprings
// reports success only when that copy matches.
class MessagesCopy {
  public:
    // How many resprings a verb may spend on a user's file that other writers
    // keep changing before it gives up.
    static constexpr int kAttempts = 4;

    // Runs `respring` (which may already have happened once: `alreadyRan`),
    // then checks the copy. A copy left behind because another writer changed
    // the settings meanwhile gets another respring; any other mismatch throws
    // IncompleteResult saying what is wrong.
    static void bringUpToDate(const std::function<void()>& respring, bool alreadyRan);
};

} // namespace sim
