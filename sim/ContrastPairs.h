#pragma once
#include "Contrast.h"

#include <Foundation/PlistValue.h>

#include <string>
#include <vector>

namespace sim {

// The text and background pairs Messages composes from the theme's colours.
// Each background is a stack of layers, bottom first, drawn over the window
// (opaque black); a layer a switch makes clear drops out. A screen that shows
// a wallpaper would start its stack from the blurred, tinted picture instead:
// that base is not drawn yet, so such screens are only named as unchecked.
class ContrastPairs {
  public:
    enum class Screen { transcript, conversationList };
    // The one text no key colours: the status bar's, set by the appearance.
    static constexpr const char* kStatusBarText = "statusBarText";

    struct Checked {
        std::string text;       // the text's key
        std::string background; // the key of the topmost layer under it
        Screen screen;
        Contrast::Colour textColour;       // as stored (alpha kept)
        Contrast::Colour backgroundColour; // the stack composited, opaque
        double ratio;
        Contrast::Level level;
    };

    // Every pair, from the stored values; keys not stored take the engine's defaults.
    static std::vector<Checked> check(const ns::PlistDictionary& stored);
    // Screens whose wallpaper is switched on: text there sits over the picture.
    static std::vector<Screen> wallpaperScreens(const ns::PlistDictionary& stored);
    static const char* screenName(Screen screen);
    // The keys the pairs read: colours (texts and layers, the status bar's
    // text aside) and switches (those that clear a layer or show a wallpaper).
    static std::vector<std::string> colourKeys();
    static std::vector<std::string> switchKeys();
};

} // namespace sim
