#pragma once
#include <UIKit/UIKitDefines.h>
#include <objc/message.h>

#include <string>

// Font weights, as the device's UIFontWeight constants (-1 thinnest to 1 heaviest).
using UIFontWeight = CGFloat;
inline constexpr UIFontWeight UIFontWeightUltraLight = -0.8;
inline constexpr UIFontWeight UIFontWeightThin = -0.6;
inline constexpr UIFontWeight UIFontWeightLight = -0.4;
inline constexpr UIFontWeight UIFontWeightRegular = 0.0;
inline constexpr UIFontWeight UIFontWeightMedium = 0.23;
inline constexpr UIFontWeight UIFontWeightSemibold = 0.3;
inline constexpr UIFontWeight UIFontWeightBold = 0.4;
inline constexpr UIFontWeight UIFontWeightHeavy = 0.56;
inline constexpr UIFontWeight UIFontWeightBlack = 0.62;

#define UIFONT_METHODS(M, O, C)                                                                              \
    C(rt::Ref<UIFont>, systemFontOfSize, "systemFontOfSize:weight:", (CGFloat, UIFontWeight))                \
    C(rt::Ref<UIFont>, systemFontOfSize, "systemFontOfSize:", (CGFloat))                                     \
    C(rt::Ref<UIFont>, boldSystemFontOfSize, "boldSystemFontOfSize:", (CGFloat))

// A family at a size and weight. The system font is the stand-in's own
// family (kSystemFamilyName); the class methods go through the runtime so a
// replacement installed on the metaclass answers for every caller.
class UIKIT_EXTERN UIFont : public NSObject {
    RT_OBJECT_HEAD(UIFont, NSObject)
    RT_METHODS(UIFONT_METHODS)

  public:
    static constexpr const char* kSystemFamilyName = "Inter";
    static constexpr CGFloat kLabelFontSize = 17.0;

    // The same family and weight at another size.
    rt::Ref<UIFont> fontWithSize(CGFloat size) const;

    const std::string& familyName() const { return m_familyName; }
    CGFloat pointSize() const { return m_pointSize; }
    UIFontWeight weight() const { return m_weight; }

  protected:
    UIFont(Class cls, std::string familyName, CGFloat pointSize, UIFontWeight weight)
        : NSObject(cls), m_familyName(std::move(familyName)), m_pointSize(pointSize), m_weight(weight) {}
    explicit UIFont(Class cls) : NSObject(cls) {}

  private:
    std::string m_familyName = kSystemFamilyName;
    CGFloat m_pointSize = kLabelFontSize;
    UIFontWeight m_weight = UIFontWeightRegular;
};
