#pragma once
#include <UIKit/UIKitDefines.h>
#include <UIKit/UITraitCollection.h>

// A colour: fixed red, green, blue, alpha, or a pair that follows the appearance.
// The named system colours are class methods reached through the runtime, so a
// replacement installed on the metaclass answers for every caller.
class UIKIT_EXTERN UIColor : public NSObject {
  public:
    struct Components {
        CGFloat red = 0, green = 0, blue = 0, alpha = 0;
        bool operator==(const Components&) const = default;
    };

    static Class classObject();

    static rt::Ref<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static rt::Ref<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
    static rt::Ref<UIColor> colorWithLight(Components light, Components dark);

    static rt::Ref<UIColor> labelColor();
    static rt::Ref<UIColor> secondaryLabelColor();
    static rt::Ref<UIColor> tertiaryLabelColor();
    static rt::Ref<UIColor> quaternaryLabelColor();
    static rt::Ref<UIColor> placeholderTextColor();
    static rt::Ref<UIColor> linkColor();
    static rt::Ref<UIColor> separatorColor();
    static rt::Ref<UIColor> opaqueSeparatorColor();
    static rt::Ref<UIColor> systemRedColor();
    static rt::Ref<UIColor> systemOrangeColor();
    static rt::Ref<UIColor> systemYellowColor();
    static rt::Ref<UIColor> systemGreenColor();
    static rt::Ref<UIColor> systemTealColor();
    static rt::Ref<UIColor> systemBlueColor();
    static rt::Ref<UIColor> systemIndigoColor();
    static rt::Ref<UIColor> systemPurpleColor();
    static rt::Ref<UIColor> systemPinkColor();
    static rt::Ref<UIColor> systemGrayColor();
    static rt::Ref<UIColor> systemBackgroundColor();
    static rt::Ref<UIColor> secondarySystemBackgroundColor();
    static rt::Ref<UIColor> tertiarySystemBackgroundColor();
    static rt::Ref<UIColor> systemGroupedBackgroundColor();
    static rt::Ref<UIColor> secondarySystemGroupedBackgroundColor();
    static rt::Ref<UIColor> tertiarySystemGroupedBackgroundColor();
    static rt::Ref<UIColor> groupTableViewBackgroundColor();
    static rt::Ref<UIColor> tableCellPlainBackgroundColor();
    static rt::Ref<UIColor> tableCellGroupedBackgroundColor();
    static rt::Ref<UIColor> blackColor();
    static rt::Ref<UIColor> whiteColor();
    static rt::Ref<UIColor> grayColor();
    static rt::Ref<UIColor> clearColor();

    // Components in the current appearance. Always succeeds for this colour model.
    BOOL getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    Components components() const { return resolved(UITraitCollection::currentUserInterfaceStyle()); }
    Components resolved(UIUserInterfaceStyle style) const;
    rt::Ref<UIColor> resolvedColorWithStyle(UIUserInterfaceStyle style) const;
    bool isDynamic() const { return !(m_light == m_dark); }
    bool isEqual(const UIColor* other) const;

    UIColor(Components light, Components dark) : NSObject(classObject()), m_light(light), m_dark(dark) {}

  private:
    Components m_light;
    Components m_dark;
};
