#pragma once
#include <UIKit/UIColorSystemColours.h>
#include <UIKit/UIKitDefines.h>
#include <UIKit/UITraitCollection.h>
#include <objc/message.h>

// A colour: fixed red, green, blue, alpha, or a pair that follows the appearance.
// The named system colours are class methods reached through the runtime, so a
// replacement installed on the metaclass answers for every caller.
class UIKIT_EXTERN UIColor : public NSObject {
    RT_OBJECT_HEAD(UIColor, NSObject)

  public:
    struct Components {
        CGFloat red = 0, green = 0, blue = 0, alpha = 0;
        bool operator==(const Components&) const = default;
    };

    static rt::Ref<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static rt::Ref<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
    static rt::Ref<UIColor> colorWithLight(Components light, Components dark);

    // The named system colours: +labelColor, +systemBlueColor, ...
#define UICOLOR_DECLARE_SYSTEM_COLOUR(name, light, dark)                                                     \
    static rt::Ref<UIColor> name() {                                                                         \
        return rt::send<rt::Ref<UIColor>()>(classObject(), rt::sel<#name>());                                \
    }
    UICOLOR_SYSTEM_COLOURS(UICOLOR_DECLARE_SYSTEM_COLOUR)
#undef UICOLOR_DECLARE_SYSTEM_COLOUR

    // Components in the current appearance. Always succeeds for this colour model.
    BOOL getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    Components components() const {
        return resolved(UITraitCollection::currentUserInterfaceStyle());
    }
    Components resolved(UIUserInterfaceStyle style) const;
    rt::Ref<UIColor> resolvedColorWithStyle(UIUserInterfaceStyle style) const;
    bool isDynamic() const {
        return !(m_light == m_dark);
    }
    bool isEqual(const UIColor* other) const;

  protected:
    UIColor(Class cls, Components light, Components dark) : NSObject(cls), m_light(light), m_dark(dark) {}
    explicit UIColor(Class cls) : NSObject(cls) {}

  private:
    Components m_light;
    Components m_dark;
};
