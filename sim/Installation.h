#pragma once
#include "Device.h"
#include <filesystem>

namespace sim {

// Puts what a real phone would have into a simulated device: the system
// programs a respring needs, the installed applications with their data
// containers, and the product's package. Each step keeps what is there.
class Installation {
  public:
    // Copies a file of the build into the device by content (temporary file,
    // then rename), keeping its mode. Needs the device entered.
    static void copyIntoDevice(const std::filesystem::path& from, const std::string& devicePath);
    // The device's package database, then the build's package of the
    // product installed by dpkg. Answers "name version".
    static std::string installProduct(const Device& device);
    static void installSystemPrograms(const Device& device);
    static void createApplications(const Device& device);
    // The conversations Messages shows: the property list at `hostFile`, or,
    // when none is given, the sample ones unless the device has its own.
    static void installConversations(const std::string& hostFile);
    // The Messages data container (device path, ending in "/"); throws when the
    // device has none.
    static std::string messagesContainer();
};

} // namespace sim
