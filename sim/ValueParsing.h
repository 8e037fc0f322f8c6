#pragma once
#include <cstdint>
#include <string>

namespace sim {

// Typed values from the command line; each throws SimError naming what it wanted.
bool parseBool(const std::string& text);
int32_t parseInt(const std::string& text);
int64_t parseInteger(const std::string& text);
float parseFloat(const std::string& text);
// Text a preference file can hold: valid UTF-8 without control characters
// (tab and line feed aside). Throws SimError naming `what` otherwise.
void requireText(const std::string& text, const char* what);

} // namespace sim
