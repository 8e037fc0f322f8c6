#pragma once
#include <UIKit/NSLayoutConstraint.h>
#include <objc/message.h>

#include <string>

// One attribute of one view that constraints are made from. Anchors come in
// three kinds (NSLayoutXAxisAnchor, NSLayoutYAxisAnchor, NSLayoutDimension)
// and only anchors of one kind relate to each other; the typed methods of each
// kind keep them apart at compile time, the runtime methods answer nil for a
// mixed pair. An anchor keeps its view weakly: the view owns its anchors.
class UIKIT_EXTERN NSLayoutAnchor : public NSObject {
    RT_OBJECT(NSLayoutAnchor, NSObject)

    rt::Ref<UIView> item() const;
    NSLayoutAttribute attribute() const { return m_attribute; }
    // "UIView:0x....leading": the anchor as the layout log shows it.
    std::string name() const;

    // Ties a new anchor to its view; done once, by the view.
    void _setItem(UIView* item, NSLayoutAttribute attribute);

  protected:
    // Runtime methods "constraintEqualToAnchor:", "constraintEqualToAnchor:constant:"
    // and their GreaterThanOrEqual and LessThanOrEqual forms, by selector.
    rt::Ref<NSLayoutConstraint> sendConstraint(SEL selector, NSLayoutAnchor* anchor);
    rt::Ref<NSLayoutConstraint> sendConstraint(SEL selector, NSLayoutAnchor* anchor, CGFloat constant);

  private:
    rt::Weak<UIView> m_item;
    NSLayoutAttribute m_attribute = NSLayoutAttributeNotAnAttribute;
};

// The typed constraint makers every kind has, relating to anchors of its own kind.
#define NSLAYOUTANCHOR_TYPED_METHODS(Kind)                                                                   \
    rt::Ref<NSLayoutConstraint> constraintEqualToAnchor(Kind* anchor) {                                      \
        return sendConstraint(rt::sel<"constraintEqualToAnchor:">(), anchor);                                \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintEqualToAnchor(Kind* anchor, CGFloat constant) {                    \
        return sendConstraint(rt::sel<"constraintEqualToAnchor:constant:">(), anchor, constant);             \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintGreaterThanOrEqualToAnchor(Kind* anchor) {                         \
        return sendConstraint(rt::sel<"constraintGreaterThanOrEqualToAnchor:">(), anchor);                   \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintGreaterThanOrEqualToAnchor(Kind* anchor, CGFloat constant) {       \
        return sendConstraint(rt::sel<"constraintGreaterThanOrEqualToAnchor:constant:">(), anchor,           \
                              constant);                                                                     \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintLessThanOrEqualToAnchor(Kind* anchor) {                            \
        return sendConstraint(rt::sel<"constraintLessThanOrEqualToAnchor:">(), anchor);                      \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintLessThanOrEqualToAnchor(Kind* anchor, CGFloat constant) {          \
        return sendConstraint(rt::sel<"constraintLessThanOrEqualToAnchor:constant:">(), anchor, constant);   \
    }
