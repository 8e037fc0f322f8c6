#include "ContrastPairs.h"

#include "HexColorCodec.h"
#include "PreferenceKeys.h"

#include <UIKit/UITraitCollection.h>

#include <set>
#include <string_view>

namespace sim {

namespace {

struct Layer {
    const char* key;
    const char* clearSwitch = nullptr; // on: the layer is clear
};

struct Pair {
    const char* text;
    ContrastPairs::Screen screen;
    std::vector<Layer> stack; // bottom first
};

using Screen = ContrastPairs::Screen;

// What lies under what. The transcript's background covers the screen's; the
// entry view and the context menu sit over the transcript, the navigation bar
// over the content it scrolls above, and the search field inside the list's bar.
const std::vector<Layer> kTranscript{{"primaryBackground"}, {"chatBackground"}};
const std::vector<Layer> kList{{"primaryBackground"}, {"conversationBackground"}};

std::vector<Layer> on(std::vector<Layer> below, std::initializer_list<Layer> above) {
    below.insert(below.end(), above);
    return below;
}

const std::vector<Pair>& pairs() {
    static const std::vector<Pair> kPairs{
        {"imessagetext", Screen::transcript, on(kTranscript, {{"imessagebubblegradient1"}})},
        {"imessagetext", Screen::transcript, on(kTranscript, {{"imessagebubblegradient2"}})},
        {"smstext", Screen::transcript, on(kTranscript, {{"outgoingbubblegradient1"}})},
        {"smstext", Screen::transcript, on(kTranscript, {{"outgoingbubblegradient2"}})},
        {"incomingtext", Screen::transcript, on(kTranscript, {{"incomingbubblegradient1"}})},
        {"incomingtext", Screen::transcript, on(kTranscript, {{"incomingbubblegradient2"}})},
        {"conversationName", Screen::conversationList,
         on(kList, {{"conversationCellBackground", "enableTransparentConversationCell"}})},
        {"conversationSummary", Screen::conversationList,
         on(kList, {{"conversationCellBackground", "enableTransparentConversationCell"}})},
        {"conversationPinnedChatName", Screen::conversationList, kList},
        {"chatTitleName", Screen::transcript, on(kTranscript, {{"navbarbackground"}})},
        {"chatDateAndStatus", Screen::transcript, kTranscript},
        {"chatEntryFieldText", Screen::transcript,
         on(kTranscript, {{"entryfieldbackground"}, {"entryfield"}})},
        {"chatEntryFieldTextPlaceholder", Screen::transcript,
         on(kTranscript, {{"entryfieldbackground"}, {"entryfield"}})},
        {"searchbarPlaceholder", Screen::conversationList,
         on(kList, {{"navbarbackground"}, {"searchbarBackground"}})},
        {"contextMenuTitle", Screen::transcript, on(kTranscript, {{"contextMenuBackground"}})},
        {"contextMenuSubtitle", Screen::transcript, on(kTranscript, {{"contextMenuBackground"}})},
        {ContrastPairs::kStatusBarText, Screen::conversationList, on(kList, {{"navbarbackground"}})},
    };
    return kPairs;
}

// The switches that put a wallpaper behind a screen's text.
constexpr std::pair<const char*, ContrastPairs::Screen> kWallpaperSwitches[] = {
    {"enableChatWallpaper", Screen::transcript},
    {"enableConversationWallpaper", Screen::conversationList},
};

// Inside Messages these names answer through the engine's own overrides, so
// they take the user's colour for that key.
const std::pair<std::string_view, const char*> kNamesThroughKeys[] = {
    {"red", "red"},       {"yellow", "yellow"},        {"green", "green"},
    {"indigo", "indigo"}, {"default", "primarylabel"}, {"tertiary", "tertiarylabel"},
};

class Resolver {
  public:
    explicit Resolver(const ns::PlistDictionary& stored) : m_stored(stored) {}

    Contrast::Colour colour(const std::string& key) {
        auto it = m_stored.find(key);
        // A value that is not text reads as nothing stored, as in the engine.
        std::string text = it != m_stored.end() && it->second.isString() ? *it->second.asString()
                                                                         : std::string(kDefaultColour);
        for (const auto& [name, through] : kNamesThroughKeys)
            if (text == name && !m_resolving.count(through)) {
                // A chain back to itself ends at the platform's own colour.
                m_resolving.insert(through);
                Contrast::Colour answer = colour(through);
                m_resolving.erase(through);
                return answer;
            }
        return m_codec.colorWithHexString(text)->components();
    }

    bool switchedOn(const char* key) const {
        auto it = m_stored.find(key);
        return it != m_stored.end() && it->second.hasNumberConversion() && it->second.boolValue();
    }

  private:
    const ns::PlistDictionary& m_stored;
    HexColorCodec m_codec{HexColorCodec::Variant::engine};
    std::set<std::string> m_resolving;
};

// The status bar keeps the app's style, not the theme's: dark text in the
// light look, light text in the dark one.
Contrast::Colour statusBarText() {
    return UITraitCollection::currentUserInterfaceStyle() == UIUserInterfaceStyle::dark
               ? Contrast::Colour{1, 1, 1, 1}
               : Contrast::Colour{0, 0, 0, 1};
}

} // namespace

std::vector<ContrastPairs::Checked> ContrastPairs::check(const ns::PlistDictionary& stored) {
    Resolver resolver(stored);
    std::vector<Checked> results;
    for (const Pair& pair : pairs()) {
        Contrast::Colour background{0, 0, 0, 1};
        std::string top;
        for (const Layer& layer : pair.stack) {
            if (layer.clearSwitch && resolver.switchedOn(layer.clearSwitch))
                continue;
            background = Contrast::over(resolver.colour(layer.key), background);
            top = layer.key;
        }
        Contrast::Colour text =
            std::string_view(pair.text) == kStatusBarText ? statusBarText() : resolver.colour(pair.text);
        double ratio = Contrast::ratio(Contrast::over(text, background), background);
        results.push_back({pair.text, top, pair.screen, text, background, ratio, Contrast::level(ratio)});
    }
    return results;
}

std::vector<ContrastPairs::Screen> ContrastPairs::wallpaperScreens(const ns::PlistDictionary& stored) {
    Resolver resolver(stored);
    std::vector<Screen> screens;
    for (const auto& [key, screen] : kWallpaperSwitches)
        if (resolver.switchedOn(key))
            screens.push_back(screen);
    return screens;
}

std::vector<std::string> ContrastPairs::colourKeys() {
    std::set<std::string> keys;
    for (const Pair& pair : pairs()) {
        if (std::string_view(pair.text) != kStatusBarText)
            keys.insert(pair.text);
        for (const Layer& layer : pair.stack)
            keys.insert(layer.key);
    }
    return {keys.begin(), keys.end()};
}

std::vector<std::string> ContrastPairs::switchKeys() {
    std::set<std::string> keys;
    for (const Pair& pair : pairs())
        for (const Layer& layer : pair.stack)
            if (layer.clearSwitch)
                keys.insert(layer.clearSwitch);
    for (const auto& [key, screen] : kWallpaperSwitches)
        keys.insert(key);
    return {keys.begin(), keys.end()};
}

const char* ContrastPairs::screenName(Screen screen) {
    return screen == Screen::transcript ? "chat" : "conversation list";
}

} // namespace sim
