#pragma once
#include "PreferenceKeys.h"

#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <optional>
#include <string>
#include <string_view>

namespace sim {

// The engine's key table as the CLI checks and writes values for it. The table
// itself is the engine's header; nothing of the engine is linked.
class EngineKeys {
  public:
    // The pane's blur menu: three styles, indexes 0 to 2.
    static constexpr int64_t kMaxBlurStyle = 2;

    // Nothing for a key the engine does not read.
    static const PreferenceKey* find(std::string_view key);
    // Why a theme may not carry `value` under `key`: a colour must be text the
    // codec reads as written, a switch a boolean, a blur style an integer 0-2.
    static std::optional<std::string> problem(const PreferenceKey& key, const ns::PlistValue& value);
    // What a theme file carries for a stored value, read as the engine reads it:
    // hex colours as eight upper-case digits (colour names stay names, since they
    // follow the device), switches as booleans, blur styles as integers. A stored
    // value the engine would misread fails with the reason.
    static ns::Result<ns::PlistValue> normalised(const PreferenceKey& key, const ns::PlistValue& stored);
    // True for the names and the three, six and eight digit forms ("#" anywhere).
    static bool readsAsColour(std::string_view text);
    static bool isColourName(std::string_view text);
};

} // namespace sim
