#include <UIKit/UIFont.h>

#include <algorithm>

namespace {

// Sizes below zero mean nothing; the device draws them as zero.
CGFloat sane(CGFloat size) {
    return std::max<CGFloat>(size, 0.0);
}

} // namespace

RT_DEFINE_CLASS(UIFont, nullptr)

rt::Ref<UIFont> UIFont::systemFontOfSizeImpl(CGFloat size, UIFontWeight weight) {
    return rt::make<UIFont>(std::string(kSystemFamilyName), sane(size),
                            std::clamp<CGFloat>(weight, -1.0, 1.0));
}

rt::Ref<UIFont> UIFont::systemFontOfSizeImpl(CGFloat size) {
    return systemFontOfSize(size, UIFontWeightRegular);
}

rt::Ref<UIFont> UIFont::boldSystemFontOfSizeImpl(CGFloat size) {
    return systemFontOfSize(size, UIFontWeightBold);
}

rt::Ref<UIFont> UIFont::fontWithSize(CGFloat size) const {
    return rt::make<UIFont>(m_familyName, sane(size), m_weight);
}
