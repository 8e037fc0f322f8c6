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

const char* attributeName(NSLayoutAttribute attribute) {
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

std::string itemName(const UIView* view) {
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

} // namespace

RT_DEFINE_CLASS(NSLayoutConstraint, nullptr)

rt::Ref<NSLayoutConstraint> NSLayoutConstraint::constraintWithItemImpl(
    UIView* first, NSLayoutAttribute firstAttribute, NSLayoutRelation relation, UIView* second,
    NSLayoutAttribute secondAttribute, CGFloat multiplier, CGFloat constant) {
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
    return _make(first, firstAttribute, relation, second, secondAttribute, multiplier, constant);
}

void NSLayoutConstraint::activateConstraintsImpl(
    const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
    for (const rt::Ref<NSLayoutConstraint>& constraint : constraints)
        constraint->setActive(YES);
}

void NSLayoutConstraint::deactivateConstraintsImpl(
    const std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
    for (const rt::Ref<NSLayoutConstraint>& constraint : constraints)
        constraint->setActive(NO);
}

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

BOOL NSLayoutConstraint::isActiveImpl() {
    return m_holder.lock() != nullptr;
}

void NSLayoutConstraint::setActiveImpl(BOOL active) {
    rt::Ref<NSLayoutConstraint> keep(this); // its holder may own the last reference
    rt::Ref<UIView> holder = m_holder.lock();
    if (!active) {
        if (holder) {
            m_holder = nullptr;
            holder->_removeActiveConstraint(this);
        }
        return;
    }
    if (holder)
        return;
    rt::Ref<UIView> first = firstItem();
    rt::Ref<UIView> second = secondItem();
    if (!first)
        return;
    UIView* common = second ? nearestCommonAncestor(first, second) : first.get();
    if (!common) {
        // The device throws here; a stand-in that aborts would take the host down with it.
        NSLog("[LayoutConstraints] Unable to activate constraint with anchors " + itemName(first) + "." +
              attributeName(m_firstAttribute) + " and " + itemName(second) + "." +
              attributeName(m_secondAttribute) +
              " because they have no common ancestor. Does the constraint or its anchors reference "
              "items in different view hierarchies? That's illegal.");
        return;
    }
    m_broken = false;
    m_activationOrder = ++g_activations;
    m_holder = common;
    common->_addActiveConstraint(this);
}

void NSLayoutConstraint::constantChanged() {
    if (rt::Ref<UIView> holder = m_holder.lock())
        holder->_setNeedsConstraintSolve();
}

void NSLayoutConstraint::priorityChanged() {
    m_priority = std::isnan(m_priority) ? 0 : std::clamp<UILayoutPriority>(m_priority, 0, 1000);
    if (rt::Ref<UIView> holder = m_holder.lock())
        holder->_setNeedsConstraintSolve();
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
    return itemName(view);
}
const char* NSLayoutConstraint::_attributeName(NSLayoutAttribute attribute) {
    return attributeName(attribute);
}

rt::Ref<UIView> NSLayoutConstraint::firstItem() const {
    return m_firstItem.lock();
}
rt::Ref<UIView> NSLayoutConstraint::secondItem() const {
    return m_secondItem.lock();
}
