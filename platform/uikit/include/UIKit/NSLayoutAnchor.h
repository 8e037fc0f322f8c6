#pragma once
#include <UIKit/NSLayoutConstraint.h>
#include <objc/message.h>

#include <string>

// One attribute of one view that constraints are made from. Anchors come in
// three kinds (NSLayoutXAxisAnchor, NSLayoutYAxisAnchor, NSLayoutDimension)
// and only anchors of one kind relate to each other; the typed methods of each
// kind keep them apart at compile time, the runtime methods answer nil for a
// mixed pair. An anchor keeps its view weakly: the view owns its anchors.
// The runtime methods relate anchors of any kind (a mixed pair answers nil);
// the typed methods below are what callers use.
using NSLayoutConstraintRef = rt::Ref<NSLayoutConstraint>;
#define NSLAYOUTANCHOR_METHODS(M, O, C)                                                                      \
    M(NSLayoutConstraintRef, _constraintEqualToAnchor, "constraintEqualToAnchor:", (NSLayoutAnchor*))        \
    M(NSLayoutConstraintRef, _constraintEqualToAnchorConstant,                                               \
      "constraintEqualToAnchor:constant:", (NSLayoutAnchor*, CGFloat))                                       \
    M(NSLayoutConstraintRef, _constraintGreaterThanOrEqualToAnchor,                                          \
      "constraintGreaterThanOrEqualToAnchor:", (NSLayoutAnchor*))                                            \
    M(NSLayoutConstraintRef, _constraintGreaterThanOrEqualToAnchorConstant,                                  \
      "constraintGreaterThanOrEqualToAnchor:constant:", (NSLayoutAnchor*, CGFloat))                          \
    M(NSLayoutConstraintRef, _constraintLessThanOrEqualToAnchor,                                             \
      "constraintLessThanOrEqualToAnchor:", (NSLayoutAnchor*))                                               \
    M(NSLayoutConstraintRef, _constraintLessThanOrEqualToAnchorConstant,                                     \
      "constraintLessThanOrEqualToAnchor:constant:", (NSLayoutAnchor*, CGFloat))

class UIKIT_EXTERN NSLayoutAnchor : public NSObject {
    RT_OBJECT(NSLayoutAnchor, NSObject)
    RT_METHODS(NSLAYOUTANCHOR_METHODS)

    rt::Ref<UIView> item() const;
    NSLayoutAttribute attribute() const { return m_attribute; }
    // "UIView:0x....leading": the anchor as the layout log shows it.
    std::string name() const;

    // Ties a new anchor to its view; done once, by the view.
    void _setItem(UIView* item, NSLayoutAttribute attribute);

  private:
    // Both views must still be there and the anchors of one kind; anything
    // else answers nil, which every later message then ignores.
    rt::Ref<NSLayoutConstraint> makeConstraint(NSLayoutRelation relation, NSLayoutAnchor* other,
                                               CGFloat constant);

    rt::Weak<UIView> m_item;
    NSLayoutAttribute m_attribute = NSLayoutAttributeNotAnAttribute;
};

// The typed constraint makers every kind has, relating to anchors of its own kind.
#define NSLAYOUTANCHOR_TYPED_METHODS(Kind)                                                                   \
    rt::Ref<NSLayoutConstraint> constraintEqualToAnchor(Kind* anchor) {                                      \
        return _constraintEqualToAnchor(anchor);                                                             \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintEqualToAnchor(Kind* anchor, CGFloat constant) {                    \
        return _constraintEqualToAnchorConstant(anchor, constant);                                           \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintGreaterThanOrEqualToAnchor(Kind* anchor) {                         \
        return _constraintGreaterThanOrEqualToAnchor(anchor);                                                \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintGreaterThanOrEqualToAnchor(Kind* anchor, CGFloat constant) {       \
        return _constraintGreaterThanOrEqualToAnchorConstant(anchor, constant);                              \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintLessThanOrEqualToAnchor(Kind* anchor) {                            \
        return _constraintLessThanOrEqualToAnchor(anchor);                                                   \
    }                                                                                                        \
    rt::Ref<NSLayoutConstraint> constraintLessThanOrEqualToAnchor(Kind* anchor, CGFloat constant) {          \
        return _constraintLessThanOrEqualToAnchorConstant(anchor, constant);                                 \
    }
