#include "ColourQuery.h"

#include <ChatKit/CKUITheme.h>
#include <objc/message.h>

#include <cmath>
#include <cstdio>

namespace messages {

namespace {

std::string hex(const rt::Ref<UIColor>& colour) {
    if (!colour)
        return "(nil)";
    UIColor::Components c = colour->components();
    char text[64];
    auto byte = [](double v) {
        return static_cast<unsigned long long>(std::llround(static_cast<float>(v * 255.0)));
    };
    std::snprintf(text, sizeof text, "%02llX%02llX%02llX%02llX", byte(c.red), byte(c.green), byte(c.blue),
                  byte(c.alpha));
    return text;
}

bool isBalloon(const std::string& selector) {
    return selector.ends_with("_balloonColors");
}

} // namespace

const std::vector<std::string>& ColourQuery::askedColours() {
    static const std::vector<std::string> selectors{"labelColor",
                                                    "secondaryLabelColor",
                                                    "tertiaryLabelColor",
                                                    "quaternaryLabelColor",
                                                    "linkColor",
                                                    "separatorColor",
                                                    "systemBlueColor",
                                                    "systemYellowColor",
                                                    "systemRedColor",
                                                    "systemIndigoColor",
                                                    "systemGreenColor",
                                                    "systemBackgroundColor",
                                                    "systemGroupedBackgroundColor",
                                                    "groupTableViewBackgroundColor",
                                                    "secondarySystemBackgroundColor",
                                                    "tertiarySystemBackgroundColor",
                                                    "secondarySystemGroupedBackgroundColor",
                                                    "tableCellPlainBackgroundColor",
                                                    "tableCellGroupedBackgroundColor",
                                                    "primaryLabelColor",
                                                    "conversationListBackgroundColor",
                                                    "conversationListCellColor",
                                                    "grayTextColor",
                                                    "conversationListSenderColor",
                                                    "green_sendButtonColor",
                                                    "blue_sendButtonColor",
                                                    "blue_balloonTextColor",
                                                    "green_balloonTextColor",
                                                    "gray_balloonTextColor",
                                                    "entryFieldTextColor",
                                                    "messageAcknowledgmentPickerBackgroundColor",
                                                    "messageAcknowledgmentGrayColor",
                                                    "entryFieldPlaceholderTextColor",
                                                    "blue_balloonColors",
                                                    "gray_balloonColors",
                                                    "green_balloonColors"};
    return selectors;
}

bool ColourQuery::print(const std::string& selector) {
    SEL sel = sel_registerName(selector);
    Class colourClass = UIColor::classObject();
    if (class_respondsToSelector(object_getClass(colourClass), sel)) {
        std::printf("%s %s\n", selector.c_str(), hex(rt::send<rt::Ref<UIColor>()>(colourClass, sel)).c_str());
        return true;
    }
    // A theme as Messages makes one; a platform without the class has none.
    Class themeClass = objc_getClass("CKUITheme");
    if (!themeClass) {
        std::fprintf(stderr, "MobileSMS: this platform version has no CKUITheme; %s not asked\n",
                     selector.c_str());
        return true;
    }
    rt::Ref<NSObject> theme = rt::createInstance<NSObject>(themeClass);
    if (!theme || !theme->respondsToSelector(sel)) {
        std::fprintf(stderr, "MobileSMS: no colour named %s\n", selector.c_str());
        return false;
    }
    if (isBalloon(selector)) {
        std::printf("%s", selector.c_str());
        for (const auto& colour : rt::send<CKBalloonColors()>(theme.get(), sel))
            std::printf(" %s", hex(colour).c_str());
        std::printf("\n");
    } else {
        std::printf("%s %s\n", selector.c_str(), hex(rt::send<rt::Ref<UIColor>()>(theme.get(), sel)).c_str());
    }
    return true;
}

} // namespace messages
