#pragma once
#include <CoreGraphics/CGGeometry.h>
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIKitDefines.h>
#include <objc/Weak.h>

#include <string>
#include <vector>

class UIView;

enum NSLayoutRelation : NSInteger {
    NSLayoutRelationLessThanOrEqual = -1,
    NSLayoutRelationEqual = 0,
    NSLayoutRelationGreaterThanOrEqual = 1,
};

enum NSLayoutAttribute : NSInteger {
    NSLayoutAttributeNotAnAttribute = 0,
    NSLayoutAttributeTop = 3,
    NSLayoutAttributeBottom = 4,
    NSLayoutAttributeLeading = 5,
    NSLayoutAttributeTrailing = 6,
    NSLayoutAttributeWidth = 7,
    NSLayoutAttributeHeight = 8,
    NSLayoutAttributeCenterX = 9,
    NSLayoutAttributeCenterY = 10,
};

enum UILayoutConstraintAxis : NSInteger {
    UILayoutConstraintAxisHorizontal = 0,
    UILayoutConstraintAxisVertical = 1,
};

using UILayoutPriority = float;
inline constexpr UILayoutPriority UILayoutPriorityRequired = 1000;
inline constexpr UILayoutPriority UILayoutPriorityDefaultHigh = 750;
inline constexpr UILayoutPriority UILayoutPriorityDefaultLow = 250;
inline constexpr UILayoutPriority UILayoutPriorityFittingSizeLevel = 50;

// One linear relation between attributes of views:
//   first.attribute relation second.attribute * multiplier + constant
// or, without a second item, first.attribute relation constant. Made by the
// anchors of a view. While active, the nearest common ancestor of its views
// owns it; the constraint keeps its views weakly, so removing a view from its
// hierarchy ends the constraints that tie it to the rest.
//
// Changing the constant or the priority re-solves at the next layout pass; a
// priority is kept between 0 and 1000. Activating a constraint whose views
// share no ancestor is refused with a line in the log.
#define NSLAYOUTCONSTRAINT_PROPERTIES(P)                                                                     \
    P(std::string, identifier, setIdentifier, {})                                                            \
    P(CGFloat, constant, setConstant, 0, constantChanged)                                                    \
    P(UILayoutPriority, priority, setPriority, UILayoutPriorityRequired, priorityChanged)

// "constraintWithItem:..." answers nil when an item is missing or the
// attributes do not match.
#define NSLAYOUTCONSTRAINT_METHODS(M, O, C)                                                                  \
    M(BOOL, isActive, "isActive", ())                                                                        \
    M(void, setActive, "setActive:", (BOOL))                                                                 \
    C(rt::Ref<NSLayoutConstraint>, constraintWithItem,                                                       \
      "constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:",                        \
      (UIView*, NSLayoutAttribute, NSLayoutRelation, UIView*, NSLayoutAttribute, CGFloat, CGFloat))          \
    C(void, activateConstraints, "activateConstraints:", (const std::vector<rt::Ref<NSLayoutConstraint>>&))  \
    C(void, deactivateConstraints,                                                                           \
      "deactivateConstraints:", (const std::vector<rt::Ref<NSLayoutConstraint>>&))

class UIKIT_EXTERN NSLayoutConstraint : public NSObject {
    RT_OBJECT(NSLayoutConstraint, NSObject)
    RT_PROPERTIES(NSLAYOUTCONSTRAINT_PROPERTIES)
    RT_METHODS(NSLAYOUTCONSTRAINT_METHODS)

  public:
    rt::Ref<UIView> firstItem() const;
    NSLayoutAttribute firstAttribute() const { return m_firstAttribute; }
    NSLayoutRelation relation() const { return m_relation; }
    rt::Ref<UIView> secondItem() const;
    NSLayoutAttribute secondAttribute() const { return m_secondAttribute; }
    CGFloat multiplier() const { return m_multiplier; }

    // "<NSLayoutConstraint:0x... UILabel:0x....trailing == UIView:0x....trailing - 15>",
    // as the layout log names constraints.
    std::string description() const;

    // What the anchors build constraints with: no checks, no runtime round.
    static rt::Ref<NSLayoutConstraint> _make(UIView* first, NSLayoutAttribute firstAttribute,
                                             NSLayoutRelation relation, UIView* second,
                                             NSLayoutAttribute secondAttribute, CGFloat multiplier,
                                             CGFloat constant);
    // "UILabel:0x..." and "trailing": how the layout log names views and attributes.
    static std::string _itemName(const UIView* view);
    static const char* _attributeName(NSLayoutAttribute attribute);

    // The layout pass's bookkeeping: the order constraints were switched on in,
    // and whether the pass had to break this one to satisfy the others.
    unsigned long activationOrder() const { return m_activationOrder; }
    bool isBroken() const { return m_broken; }
    void markBroken() { m_broken = true; }

  private:
    void constantChanged();
    void priorityChanged();

    rt::Weak<UIView> m_firstItem;
    NSLayoutAttribute m_firstAttribute = NSLayoutAttributeNotAnAttribute;
    NSLayoutRelation m_relation = NSLayoutRelationEqual;
    rt::Weak<UIView> m_secondItem;
    NSLayoutAttribute m_secondAttribute = NSLayoutAttributeNotAnAttribute;
    CGFloat m_multiplier = 1;
    rt::Weak<UIView> m_holder; // the view that owns it while active
    unsigned long m_activationOrder = 0;
    bool m_broken = false;
};
