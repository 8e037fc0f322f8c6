#pragma once
#include <string_view>

namespace sim {

// The page, its script and its style, compiled in from sim/preview/page/.
class PreviewAssets {
  public:
    static std::string_view page(); // carries "{{TOKEN}}" where the token goes
    static std::string_view script();
    static std::string_view style();
};

} // namespace sim
