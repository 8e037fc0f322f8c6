#include <UIKit/UIColor.h>

#include <objc/message.h>

#include <array>
#include <utility>

namespace {

using Components = UIColor::Components;

constexpr Components rgb(int red, int green, int blue, CGFloat alpha = 1.0) {
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

constexpr Components white(CGFloat level) {
    return {level, level, level, 1.0};
}

struct SystemColour {
    const char* selector;
    Components light;
    Components dark;
};

// The platform's published system colours, light and dark appearance.
#define UICOLOR_TABLE_ROW(name, light, dark) SystemColour{#name, light, dark},
constexpr std::array kSystemColours{UICOLOR_SYSTEM_COLOURS(UICOLOR_TABLE_ROW)};
#undef UICOLOR_TABLE_ROW

// One shared instance per system colour, as the platform answers.
template <size_t I> rt::Ref<UIColor> systemColour(id, SEL) {
    static const rt::Ref<UIColor> colour = rt::make<UIColor>(kSystemColours[I].light, kSystemColours[I].dark);
    return colour;
}

template <size_t... I> void addSystemColours(Class meta, std::index_sequence<I...>) {
    (class_addMethod(meta, sel_registerName(kSystemColours[I].selector), &systemColour<I>), ...);
}

} // namespace

RT_DEFINE_CLASS(UIColor, [](Class, Class meta) {
    addSystemColours(meta, std::make_index_sequence<kSystemColours.size()>());
})

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
