#include <UIKit/UIFont.h>

#include <algorithm>

namespace {

// Sizes below zero mean nothing; the device draws them as zero.
CGFloat sane(CGFloat size) {
    return std::max<CGFloat>(size, 0.0);
}

} // namespace

RT_DEFINE_CLASS(UIFont, [](Class, Class meta) {
    class_addMethod(
        meta, rt::sel<"systemFontOfSize:weight:">(), +[](id, SEL, CGFloat size, UIFontWeight weight) {
            return rt::Ref<UIFont>(rt::make<UIFont>(std::string(UIFont::kSystemFamilyName), sane(size),
                                                    std::clamp<CGFloat>(weight, -1.0, 1.0)));
        });
    class_addMethod(
        meta, rt::sel<"systemFontOfSize:">(),
        +[](id, SEL, CGFloat size) { return UIFont::systemFontOfSize(size, UIFontWeightRegular); });
    class_addMethod(
        meta, rt::sel<"boldSystemFontOfSize:">(),
        +[](id, SEL, CGFloat size) { return UIFont::systemFontOfSize(size, UIFontWeightBold); });
})

rt::Ref<UIFont> UIFont::systemFontOfSize(CGFloat size, UIFontWeight weight) {
    return rt::send<rt::Ref<UIFont>(CGFloat, UIFontWeight)>(
        classObject(), rt::sel<"systemFontOfSize:weight:">(), size, weight);
}

rt::Ref<UIFont> UIFont::systemFontOfSize(CGFloat size) {
    return rt::send<rt::Ref<UIFont>(CGFloat)>(classObject(), rt::sel<"systemFontOfSize:">(), size);
}

rt::Ref<UIFont> UIFont::boldSystemFontOfSize(CGFloat size) {
    return rt::send<rt::Ref<UIFont>(CGFloat)>(classObject(), rt::sel<"boldSystemFontOfSize:">(), size);
}

rt::Ref<UIFont> UIFont::fontWithSize(CGFloat size) const {
    return rt::make<UIFont>(m_familyName, sane(size), m_weight);
}
