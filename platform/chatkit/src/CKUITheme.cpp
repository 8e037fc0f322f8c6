#include <ChatKit/CKUITheme.h>

#include <objc/message.h>

namespace {

using ColourMethod = rt::Ref<UIColor> (*)(id, SEL);

struct StockColour {
    const char* selector;
    ColourMethod answer;
};

rt::Ref<UIColor> fixed(int red, int green, int blue) {
    return UIColor::colorWithRed(red / 255.0, green / 255.0, blue / 255.0, 1.0);
}

// Messages' own answers, before any theme.
const StockColour kStockColours[] = {
    {"primaryLabelColor", [](id, SEL) { return UIColor::labelColor(); }},
    {"conversationListBackgroundColor", [](id, SEL) { return UIColor::systemBackgroundColor(); }},
    {"conversationListCellColor", [](id, SEL) { return UIColor::systemBackgroundColor(); }},
    {"grayTextColor", [](id, SEL) { return UIColor::secondaryLabelColor(); }},
    {"conversationListSenderColor", [](id, SEL) { return UIColor::labelColor(); }},
    {"green_sendButtonColor", [](id, SEL) { return UIColor::systemGreenColor(); }},
    {"blue_sendButtonColor", [](id, SEL) { return UIColor::systemBlueColor(); }},
    {"blue_balloonTextColor", [](id, SEL) { return UIColor::whiteColor(); }},
    {"green_balloonTextColor", [](id, SEL) { return UIColor::whiteColor(); }},
    {"gray_balloonTextColor", [](id, SEL) { return UIColor::labelColor(); }},
    {"entryFieldTextColor", [](id, SEL) { return UIColor::labelColor(); }},
    {"messageAcknowledgmentPickerBackgroundColor",
     [](id, SEL) { return UIColor::secondarySystemBackgroundColor(); }},
    {"messageAcknowledgmentGrayColor", [](id, SEL) { return UIColor::systemGrayColor(); }},
    {"entryFieldPlaceholderTextColor", [](id, SEL) { return UIColor::placeholderTextColor(); }},
};

CKBalloonColors blueBalloon(id, SEL) {
    return {fixed(10, 132, 255), fixed(0, 122, 255)};
}
CKBalloonColors grayBalloon(id, SEL) {
    return {fixed(233, 233, 235), fixed(229, 229, 234)};
}
CKBalloonColors greenBalloon(id, SEL) {
    return {fixed(52, 199, 89), fixed(48, 190, 84)};
}

rt::Ref<UIColor> ask(CKUITheme* theme, SEL sel) {
    return rt::send<rt::Ref<UIColor>()>(theme, sel);
}
CKBalloonColors askPair(CKUITheme* theme, SEL sel) {
    return rt::send<CKBalloonColors()>(theme, sel);
}

[[maybe_unused]] const Class registered = CKUITheme::classObject();

} // namespace

Class CKUITheme::classObject() {
    static const Class cls = rt::defineClass("CKUITheme", NSObject::classObject(), [](Class c, Class) {
        for (const StockColour& stock : kStockColours)
            class_addMethod(c, sel_registerName(stock.selector), stock.answer);
        class_addMethod(c, rt::sel<"blue_balloonColors">(), &blueBalloon);
        class_addMethod(c, rt::sel<"gray_balloonColors">(), &grayBalloon);
        class_addMethod(c, rt::sel<"green_balloonColors">(), &greenBalloon);
        rt::setAllocator(c, &rt::allocate<CKUITheme>);
    });
    return cls;
}

rt::Ref<UIColor> CKUITheme::primaryLabelColor() {
    return ask(this, rt::sel<"primaryLabelColor">());
}
rt::Ref<UIColor> CKUITheme::conversationListBackgroundColor() {
    return ask(this, rt::sel<"conversationListBackgroundColor">());
}
rt::Ref<UIColor> CKUITheme::conversationListCellColor() {
    return ask(this, rt::sel<"conversationListCellColor">());
}
rt::Ref<UIColor> CKUITheme::grayTextColor() {
    return ask(this, rt::sel<"grayTextColor">());
}
rt::Ref<UIColor> CKUITheme::conversationListSenderColor() {
    return ask(this, rt::sel<"conversationListSenderColor">());
}
rt::Ref<UIColor> CKUITheme::green_sendButtonColor() {
    return ask(this, rt::sel<"green_sendButtonColor">());
}
rt::Ref<UIColor> CKUITheme::blue_sendButtonColor() {
    return ask(this, rt::sel<"blue_sendButtonColor">());
}
rt::Ref<UIColor> CKUITheme::blue_balloonTextColor() {
    return ask(this, rt::sel<"blue_balloonTextColor">());
}
rt::Ref<UIColor> CKUITheme::green_balloonTextColor() {
    return ask(this, rt::sel<"green_balloonTextColor">());
}
rt::Ref<UIColor> CKUITheme::gray_balloonTextColor() {
    return ask(this, rt::sel<"gray_balloonTextColor">());
}
rt::Ref<UIColor> CKUITheme::entryFieldTextColor() {
    return ask(this, rt::sel<"entryFieldTextColor">());
}
rt::Ref<UIColor> CKUITheme::messageAcknowledgmentPickerBackgroundColor() {
    return ask(this, rt::sel<"messageAcknowledgmentPickerBackgroundColor">());
}
rt::Ref<UIColor> CKUITheme::messageAcknowledgmentGrayColor() {
    return ask(this, rt::sel<"messageAcknowledgmentGrayColor">());
}
rt::Ref<UIColor> CKUITheme::entryFieldPlaceholderTextColor() {
    return ask(this, rt::sel<"entryFieldPlaceholderTextColor">());
}
CKBalloonColors CKUITheme::blue_balloonColors() {
    return askPair(this, rt::sel<"blue_balloonColors">());
}
CKBalloonColors CKUITheme::gray_balloonColors() {
    return askPair(this, rt::sel<"gray_balloonColors">());
}
CKBalloonColors CKUITheme::green_balloonColors() {
    return askPair(this, rt::sel<"green_balloonColors">());
}
