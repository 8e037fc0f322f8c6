#include <UIKit/UIColor.h>

#include <objc/message.h>

#include <array>
#include <utility>

namespace {

using Components = UIColor::Components;

constexpr Components rgb(int red, int green, int blue, CGFloat alpha = 1.0) {
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

struct SystemColour {
    const char* selector;
    Components light;
    Components dark;
};

// The platform's published system colours, light and dark appearance.
constexpr std::array kSystemColours{
    SystemColour{"labelColor", rgb(0, 0, 0), rgb(255, 255, 255)},
    SystemColour{"secondaryLabelColor", rgb(60, 60, 67, 0.6), rgb(235, 235, 245, 0.6)},
    SystemColour{"tertiaryLabelColor", rgb(60, 60, 67, 0.3), rgb(235, 235, 245, 0.3)},
    SystemColour{"quaternaryLabelColor", rgb(60, 60, 67, 0.18), rgb(235, 235, 245, 0.16)},
    SystemColour{"placeholderTextColor", rgb(60, 60, 67, 0.3), rgb(235, 235, 245, 0.3)},
    SystemColour{"linkColor", rgb(0, 122, 255), rgb(9, 132, 255)},
    SystemColour{"separatorColor", rgb(60, 60, 67, 0.29), rgb(84, 84, 88, 0.6)},
    SystemColour{"opaqueSeparatorColor", rgb(198, 198, 200), rgb(56, 56, 58)},
    SystemColour{"systemRedColor", rgb(255, 59, 48), rgb(255, 69, 58)},
    SystemColour{"systemOrangeColor", rgb(255, 149, 0), rgb(255, 159, 10)},
    SystemColour{"systemYellowColor", rgb(255, 204, 0), rgb(255, 214, 10)},
    SystemColour{"systemGreenColor", rgb(52, 199, 89), rgb(48, 209, 88)},
    SystemColour{"systemTealColor", rgb(90, 200, 250), rgb(100, 210, 255)},
    SystemColour{"systemBlueColor", rgb(0, 122, 255), rgb(10, 132, 255)},
    SystemColour{"systemIndigoColor", rgb(88, 86, 214), rgb(94, 92, 230)},
    SystemColour{"systemPurpleColor", rgb(175, 82, 222), rgb(191, 90, 242)},
    SystemColour{"systemPinkColor", rgb(255, 45, 85), rgb(255, 55, 95)},
    SystemColour{"systemGrayColor", rgb(142, 142, 147), rgb(142, 142, 147)},
    SystemColour{"systemBackgroundColor", rgb(255, 255, 255), rgb(0, 0, 0)},
    SystemColour{"secondarySystemBackgroundColor", rgb(242, 242, 247), rgb(28, 28, 30)},
    SystemColour{"tertiarySystemBackgroundColor", rgb(255, 255, 255), rgb(44, 44, 46)},
    SystemColour{"systemGroupedBackgroundColor", rgb(242, 242, 247), rgb(0, 0, 0)},
    SystemColour{"secondarySystemGroupedBackgroundColor", rgb(255, 255, 255), rgb(28, 28, 30)},
    SystemColour{"tertiarySystemGroupedBackgroundColor", rgb(242, 242, 247), rgb(44, 44, 46)},
    SystemColour{"groupTableViewBackgroundColor", rgb(242, 242, 247), rgb(0, 0, 0)},
    SystemColour{"tableCellPlainBackgroundColor", rgb(255, 255, 255), rgb(0, 0, 0)},
    SystemColour{"tableCellGroupedBackgroundColor", rgb(255, 255, 255), rgb(28, 28, 30)},
    SystemColour{"blackColor", rgb(0, 0, 0), rgb(0, 0, 0)},
    SystemColour{"whiteColor", rgb(255, 255, 255), rgb(255, 255, 255)},
    SystemColour{"grayColor", {0.5, 0.5, 0.5, 1.0}, {0.5, 0.5, 0.5, 1.0}},
    SystemColour{"clearColor", rgb(0, 0, 0, 0.0), rgb(0, 0, 0, 0.0)},
};

// One shared instance per system colour, as the platform answers.
template <size_t I> rt::Ref<UIColor> systemColour(id, SEL) {
    static const rt::Ref<UIColor> colour = rt::make<UIColor>(kSystemColours[I].light, kSystemColours[I].dark);
    return colour;
}

template <size_t... I> void addSystemColours(Class meta, std::index_sequence<I...>) {
    (class_addMethod(meta, sel_registerName(kSystemColours[I].selector), &systemColour<I>), ...);
}

rt::Ref<UIColor> ask(SEL sel) {
    return rt::send<rt::Ref<UIColor>()>(UIColor::classObject(), sel);
}

[[maybe_unused]] const Class registered = UIColor::classObject();

} // namespace

Class UIColor::classObject() {
    static const Class cls = rt::defineClass("UIColor", NSObject::classObject(), [](Class, Class meta) {
        addSystemColours(meta, std::make_index_sequence<kSystemColours.size()>());
    });
    return cls;
}

rt::Ref<UIColor> UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    Components fixed{red, green, blue, alpha};
    return rt::make<UIColor>(fixed, fixed);
}

rt::Ref<UIColor> UIColor::colorWithWhite(CGFloat white, CGFloat alpha) {
    return colorWithRed(white, white, white, alpha);
}

rt::Ref<UIColor> UIColor::colorWithLight(Components light, Components dark) {
    return rt::make<UIColor>(light, dark);
}

rt::Ref<UIColor> UIColor::labelColor() {
    return ask(rt::sel<"labelColor">());
}
rt::Ref<UIColor> UIColor::secondaryLabelColor() {
    return ask(rt::sel<"secondaryLabelColor">());
}
rt::Ref<UIColor> UIColor::tertiaryLabelColor() {
    return ask(rt::sel<"tertiaryLabelColor">());
}
rt::Ref<UIColor> UIColor::quaternaryLabelColor() {
    return ask(rt::sel<"quaternaryLabelColor">());
}
rt::Ref<UIColor> UIColor::placeholderTextColor() {
    return ask(rt::sel<"placeholderTextColor">());
}
rt::Ref<UIColor> UIColor::linkColor() {
    return ask(rt::sel<"linkColor">());
}
rt::Ref<UIColor> UIColor::separatorColor() {
    return ask(rt::sel<"separatorColor">());
}
rt::Ref<UIColor> UIColor::opaqueSeparatorColor() {
    return ask(rt::sel<"opaqueSeparatorColor">());
}
rt::Ref<UIColor> UIColor::systemRedColor() {
    return ask(rt::sel<"systemRedColor">());
}
rt::Ref<UIColor> UIColor::systemOrangeColor() {
    return ask(rt::sel<"systemOrangeColor">());
}
rt::Ref<UIColor> UIColor::systemYellowColor() {
    return ask(rt::sel<"systemYellowColor">());
}
rt::Ref<UIColor> UIColor::systemGreenColor() {
    return ask(rt::sel<"systemGreenColor">());
}
rt::Ref<UIColor> UIColor::systemTealColor() {
    return ask(rt::sel<"systemTealColor">());
}
rt::Ref<UIColor> UIColor::systemBlueColor() {
    return ask(rt::sel<"systemBlueColor">());
}
rt::Ref<UIColor> UIColor::systemIndigoColor() {
    return ask(rt::sel<"systemIndigoColor">());
}
rt::Ref<UIColor> UIColor::systemPurpleColor() {
    return ask(rt::sel<"systemPurpleColor">());
}
rt::Ref<UIColor> UIColor::systemPinkColor() {
    return ask(rt::sel<"systemPinkColor">());
}
rt::Ref<UIColor> UIColor::systemGrayColor() {
    return ask(rt::sel<"systemGrayColor">());
}
rt::Ref<UIColor> UIColor::systemBackgroundColor() {
    return ask(rt::sel<"systemBackgroundColor">());
}
rt::Ref<UIColor> UIColor::secondarySystemBackgroundColor() {
    return ask(rt::sel<"secondarySystemBackgroundColor">());
}
rt::Ref<UIColor> UIColor::tertiarySystemBackgroundColor() {
    return ask(rt::sel<"tertiarySystemBackgroundColor">());
}
rt::Ref<UIColor> UIColor::systemGroupedBackgroundColor() {
    return ask(rt::sel<"systemGroupedBackgroundColor">());
}
rt::Ref<UIColor> UIColor::secondarySystemGroupedBackgroundColor() {
    return ask(rt::sel<"secondarySystemGroupedBackgroundColor">());
}
rt::Ref<UIColor> UIColor::tertiarySystemGroupedBackgroundColor() {
    return ask(rt::sel<"tertiarySystemGroupedBackgroundColor">());
}
rt::Ref<UIColor> UIColor::groupTableViewBackgroundColor() {
    return ask(rt::sel<"groupTableViewBackgroundColor">());
}
rt::Ref<UIColor> UIColor::tableCellPlainBackgroundColor() {
    return ask(rt::sel<"tableCellPlainBackgroundColor">());
}
rt::Ref<UIColor> UIColor::tableCellGroupedBackgroundColor() {
    return ask(rt::sel<"tableCellGroupedBackgroundColor">());
}
rt::Ref<UIColor> UIColor::blackColor() {
    return ask(rt::sel<"blackColor">());
}
rt::Ref<UIColor> UIColor::whiteColor() {
    return ask(rt::sel<"whiteColor">());
}
rt::Ref<UIColor> UIColor::grayColor() {
    return ask(rt::sel<"grayColor">());
}
rt::Ref<UIColor> UIColor::clearColor() {
    return ask(rt::sel<"clearColor">());
}

UIColor::Components UIColor::resolved(UIUserInterfaceStyle style) const {
    return style == UIUserInterfaceStyle::dark ? m_dark : m_light;
}

BOOL UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const {
    Components c = components();
    if (red)
        *red = c.red;
    if (green)
        *green = c.green;
    if (blue)
        *blue = c.blue;
    if (alpha)
        *alpha = c.alpha;
    return YES;
}

rt::Ref<UIColor> UIColor::resolvedColorWithStyle(UIUserInterfaceStyle style) const {
    Components c = resolved(style);
    return rt::make<UIColor>(c, c);
}

bool UIColor::isEqual(const UIColor* other) const {
    return other && m_light == other->m_light && m_dark == other->m_dark;
}
