#pragma once
#include "Device.h"

#include <Foundation/PlistValue.h>

#include <optional>
#include <string>
#include <vector>

namespace sim {

// Answers "why doesn't my theme show?" by looking at the device the way the
// engine and SpringBoard's sync will: one finding per check.
class Doctor {
  public:
    enum class Verdict { ok, warning, problem };
    struct Finding {
        Verdict verdict;
        std::string text;
        std::string fix; // empty for ok
    };

    explicit Doctor(const Device& device) : m_device(device) {}
    std::vector<Finding> examine();
    static const char* verdictName(Verdict verdict);

  private:
    Finding engine() const;
    Finding preferenceFile();
    Finding keyKinds() const;
    Finding container();
    Finding copy() const;
    Finding wallpaper(std::size_t slot) const;
    Finding masterSwitch() const;
    Finding lastSync() const;

    bool exists(const std::string& devicePath) const;

    const Device& m_device;
    std::optional<ns::PlistDictionary> m_settings; // the user's file, when readable
    bool m_settingsPresent = false;
    std::optional<std::string> m_documents; // Messages' Documents folder, from the registry
};

} // namespace sim
