#pragma once
// What a host program's exit status says about a failure. The command line
// maps these statuses; the text a host prints is only shown, never parsed.

namespace hosts {

enum class HostExitStatus : int {
    success = 0,
    refused = 2,        // the arguments: an unknown page, key or value, a usage mistake
    unreadableFile = 3, // a file the host reads or writes could not be
    lostRace = 4,       // the change was made, then another writer replaced it
    internal = 5,       // anything else: a fault of the host itself
};

constexpr int exitCode(HostExitStatus status) {
    return static_cast<int>(status);
}

// The category of an exit status; nothing for one no host gives.
constexpr bool isFailureCategory(int status) {
    return status >= exitCode(HostExitStatus::refused) && status <= exitCode(HostExitStatus::internal);
}

} // namespace hosts
