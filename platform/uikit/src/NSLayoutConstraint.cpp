#include <UIKit/NSLayoutConstraint.h>

#include <Foundation/NSLog.h>
#include <UIKit/UIView.h>
#include <objc/message.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

enum class AttributeKind { None, XAxis, YAxis, Dimension };

AttributeKind kindOf(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttributeLeading:
    case NSLayoutAttributeTrailing:
    case NSLayoutAttributeCenterX:
        return AttributeKind::XAxis;
    case NSLayoutAttributeTop:
    case NSLayoutAttributeBottom:
    case NSLayoutAttributeCenterY:
        return AttributeKind::YAxis;
    case NSLayoutAttributeWidth:
    case NSLayoutAttributeHeight:
        return AttributeKind::Dimension;
    default:
        return AttributeKind::None;
    }
}

const char* attributeNameOf(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttributeTop:
        return "top";
    case NSLayoutAttributeBottom:
        return "bottom";
    case NSLayoutAttributeLeading:
        return "leading";
    case NSLayoutAttributeTrailing:
        return "trailing";
    case NSLayoutAttributeWidth:
        return "width";
    case NSLayoutAttributeHeight:
        return "height";
    case NSLayoutAttributeCenterX:
        return "centerX";
    case NSLayoutAttributeCenterY:
        return "centerY";
    default:
        return "notAnAttribute";
    }
}

std::string itemNameOf(const UIView* view) {
    if (!view)
        return "(nil)";
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(view));
    return std::string(class_getName(view->isa())) + ":" + address;
}

std::string number(CGFloat value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

UIView* nearestCommonAncestor(UIView* first, UIView* second) {
    for (UIView* view = first; view; view = view->superview().get())
        if (second->isDescendantOfView(view))
            return view;
    return nullptr;
}

unsigned long g_activations = 0;

rt::Ref<NSLayoutConstraint> constraintWithItem(id, SEL, UIView* first, NSLayoutAttribute firstAttribute,
                                               NSLayoutRelation relation, UIView* second,
                                               NSLayoutAttribute secondAttribute, CGFloat multiplier,
                                               CGFloat constant);

std::string itemName(const UIView* view) {
    return itemNameOf(view);
}
const char* attributeName(NSLayoutAttribute attribute) {
    return attributeNameOf(attribute);
}

} // namespace

RT_DEFINE_CLASS(NSLayoutConstraint, [](Class cls, Class meta) {
    class_addMethod(meta,
                    rt::sel<"constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:">(),
                    &::constraintWithItem);
    class_addMethod(
        meta, rt::sel<"activateConstraints:">(),
        +[](id, SEL, const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
            for (const rt::Ref<NSLayoutConstraint>& constraint : constraints)
                constraint->setActive(YES);
        });
    class_addMethod(
        meta, rt::sel<"deactivateConstraints:">(),
        +[](id, SEL, const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
            for (const rt::Ref<NSLayoutConstraint>& constraint : constraints)
                constraint->setActive(NO);
        });
    class_addMethod(
        cls, rt::sel<"isActive">(), +[](id self, SEL) -> BOOL {
            return static_cast<NSLayoutConstraint*>(self)->m_holder.lock() != nullptr;
        });
    class_addMethod(
        cls, rt::sel<"setActive:">(), +[](id self, SEL, BOOL active) {
            auto* constraint = static_cast<NSLayoutConstraint*>(self);
            rt::Ref<NSLayoutConstraint> keep(constraint); // its holder may own the last reference
            rt::Ref<UIView> holder = constraint->m_holder.lock();
            if (!active) {
                if (holder) {
                    constraint->m_holder = nullptr;
                    holder->_removeActiveConstraint(constraint);
                }
                return;
            }
            if (holder)
                return;
            rt::Ref<UIView> first = constraint->firstItem();
            rt::Ref<UIView> second = constraint->secondItem();
            if (!first)
                return;
            UIView* common = second ? nearestCommonAncestor(first, second) : first.get();
            if (!common) {
                // The device throws here; a stand-in that aborts would take the host down with it.
                NSLog("[LayoutConstraints] Unable to activate constraint with anchors " + itemName(first) +
                      "." + attributeName(constraint->m_firstAttribute) + " and " + itemName(second) + "." +
                      attributeName(constraint->m_secondAttribute) +
                      " because they have no common ancestor. Does the constraint or its anchors reference "
                      "items in different view hierarchies? That's illegal.");
                return;
            }
            constraint->m_broken = false;
            constraint->m_activationOrder = ++g_activations;
            constraint->m_holder = common;
            common->_addActiveConstraint(constraint);
        });
    class_addMethod(
        cls, rt::sel<"constant">(),
        +[](id self, SEL) { return static_cast<NSLayoutConstraint*>(self)->m_constant; });
    class_addMethod(
        cls, rt::sel<"setConstant:">(), +[](id self, SEL, CGFloat constant) {
            auto* constraint = static_cast<NSLayoutConstraint*>(self);
            constraint->m_constant = constant;
            if (rt::Ref<UIView> holder = constraint->m_holder.lock())
                holder->_setNeedsConstraintSolve();
        });
    class_addMethod(
        cls, rt::sel<"priority">(),
        +[](id self, SEL) { return static_cast<NSLayoutConstraint*>(self)->m_priority; });
    class_addMethod(
        cls, rt::sel<"setPriority:">(), +[](id self, SEL, UILayoutPriority priority) {
            auto* constraint = static_cast<NSLayoutConstraint*>(self);
            constraint->m_priority =
                std::isnan(priority) ? 0 : std::clamp<UILayoutPriority>(priority, 0, 1000);
            if (rt::Ref<UIView> holder = constraint->m_holder.lock())
                holder->_setNeedsConstraintSolve();
        });
})

namespace {

rt::Ref<NSLayoutConstraint> constraintWithItem(id, SEL, UIView* first, NSLayoutAttribute firstAttribute,
                                               NSLayoutRelation relation, UIView* second,
                                               NSLayoutAttribute secondAttribute, CGFloat multiplier,
                                               CGFloat constant) {
    const AttributeKind kind = kindOf(firstAttribute);
    const bool valid =
        first && kind != AttributeKind::None &&
        (second ? kindOf(secondAttribute) == kind
                : kind == AttributeKind::Dimension && secondAttribute == NSLayoutAttributeNotAnAttribute);
    if (!valid) {
        NSLog("[LayoutConstraints] Refusing a constraint between " + itemName(first) + "." +
              attributeName(firstAttribute) + " and " + itemName(second) + "." +
              attributeName(secondAttribute) + ": the attributes do not relate.");
        return nullptr;
    }
    return NSLayoutConstraint::_make(first, firstAttribute, relation, second, secondAttribute, multiplier,
                                     constant);
}

} // namespace

rt::Ref<NSLayoutConstraint> NSLayoutConstraint::_make(UIView* first, NSLayoutAttribute firstAttribute,
                                                      NSLayoutRelation relation, UIView* second,
                                                      NSLayoutAttribute secondAttribute, CGFloat multiplier,
                                                      CGFloat constant) {
    rt::Ref<NSLayoutConstraint> made = rt::make<NSLayoutConstraint>();
    made->m_firstItem = first;
    made->m_firstAttribute = firstAttribute;
    made->m_relation = relation;
    made->m_secondItem = second;
    made->m_secondAttribute = second ? secondAttribute : NSLayoutAttributeNotAnAttribute;
    made->m_multiplier = multiplier;
    made->m_constant = constant;
    return made;
}

rt::Ref<NSLayoutConstraint> NSLayoutConstraint::constraintWithItem(UIView* first,
                                                                   NSLayoutAttribute firstAttribute,
                                                                   NSLayoutRelation relation, UIView* second,
                                                                   NSLayoutAttribute secondAttribute,
                                                                   CGFloat multiplier, CGFloat constant) {
    return rt::send<rt::Ref<NSLayoutConstraint>(UIView*, NSLayoutAttribute, NSLayoutRelation, UIView*,
                                                NSLayoutAttribute, CGFloat, CGFloat)>(
        classObject(),
        rt::sel<"constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:">(), first,
        firstAttribute, relation, second, secondAttribute, multiplier, constant);
}

void NSLayoutConstraint::activateConstraints(const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
    rt::send<void(const std::vector<rt::Ref<NSLayoutConstraint>>&)>(
        classObject(), rt::sel<"activateConstraints:">(), constraints);
}

void NSLayoutConstraint::deactivateConstraints(const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
    rt::send<void(const std::vector<rt::Ref<NSLayoutConstraint>>&)>(
        classObject(), rt::sel<"deactivateConstraints:">(), constraints);
}

BOOL NSLayoutConstraint::isActive() {
    return rt::send<BOOL()>(this, rt::sel<"isActive">());
}
void NSLayoutConstraint::setActive(BOOL active) {
    rt::send<void(BOOL)>(this, rt::sel<"setActive:">(), active);
}
CGFloat NSLayoutConstraint::constant() {
    return rt::send<CGFloat()>(this, rt::sel<"constant">());
}
void NSLayoutConstraint::setConstant(CGFloat constant) {
    rt::send<void(CGFloat)>(this, rt::sel<"setConstant:">(), constant);
}
UILayoutPriority NSLayoutConstraint::priority() {
    return rt::send<UILayoutPriority()>(this, rt::sel<"priority">());
}
void NSLayoutConstraint::setPriority(UILayoutPriority priority) {
    rt::send<void(UILayoutPriority)>(this, rt::sel<"setPriority:">(), priority);
}

std::string NSLayoutConstraint::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    std::string text = std::string("<NSLayoutConstraint:") + address + " " + itemName(firstItem()) + "." +
                       attributeName(m_firstAttribute);
    text += m_relation == NSLayoutRelationEqual             ? " == "
            : m_relation == NSLayoutRelationLessThanOrEqual ? " <= "
                                                            : " >= ";
    if (rt::Ref<UIView> second = secondItem()) {
        if (m_multiplier != 1)
            text += number(m_multiplier) + "*";
        text += itemName(second) + "." + attributeName(m_secondAttribute);
        if (m_constant != 0)
            text += (m_constant < 0 ? " - " : " + ") + number(std::fabs(m_constant));
    } else {
        text += number(m_constant);
    }
    if (m_priority < UILayoutPriorityRequired)
        text += "   (priority " + number(m_priority) + ")";
    if (m_holder.lock())
        text += "   (active)";
    return text + ">";
}

std::string NSLayoutConstraint::_itemName(const UIView* view) {
    return itemNameOf(view);
}
const char* NSLayoutConstraint::_attributeName(NSLayoutAttribute attribute) {
    return attributeNameOf(attribute);
}

rt::Ref<UIView> NSLayoutConstraint::firstItem() const {
    return m_firstItem.lock();
}
rt::Ref<UIView> NSLayoutConstraint::secondItem() const {
    return m_secondItem.lock();
}
