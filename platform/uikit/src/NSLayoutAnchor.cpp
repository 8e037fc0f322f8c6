#include <UIKit/NSLayoutAnchor.h>

#include <Foundation/NSLog.h>
#include <UIKit/UIView.h>

namespace {

bool sameKind(NSLayoutAttribute first, NSLayoutAttribute second) {
    auto group = [](NSLayoutAttribute attribute) {
        switch (attribute) {
        case NSLayoutAttributeLeading:
        case NSLayoutAttributeTrailing:
        case NSLayoutAttributeCenterX:
            return 1;
        case NSLayoutAttributeTop:
        case NSLayoutAttributeBottom:
        case NSLayoutAttributeCenterY:
            return 2;
        case NSLayoutAttributeWidth:
        case NSLayoutAttributeHeight:
            return 3;
        default:
            return 0;
        }
    };
    return group(first) != 0 && group(first) == group(second);
}

} // namespace

RT_DEFINE_CLASS(NSLayoutAnchor, nullptr)

rt::Ref<NSLayoutConstraint> NSLayoutAnchor::makeConstraint(NSLayoutRelation relation, NSLayoutAnchor* other,
                                                           CGFloat constant) {
    rt::Ref<UIView> first = item();
    rt::Ref<UIView> second = other ? other->item() : nullptr;
    if (!first || !second || !sameKind(attribute(), other->attribute())) {
        NSLog("[LayoutConstraints] No constraint between " + name() + " and " +
              (other ? other->name() : std::string("(nil)")) +
              ": anchors of different kinds or without a view.");
        return nullptr;
    }
    return NSLayoutConstraint::_make(first, attribute(), relation, second, other->attribute(), 1, constant);
}

NSLayoutConstraintRef NSLayoutAnchor::_constraintEqualToAnchorImpl(NSLayoutAnchor* other) {
    return makeConstraint(NSLayoutRelationEqual, other, 0);
}
NSLayoutConstraintRef NSLayoutAnchor::_constraintEqualToAnchorConstantImpl(NSLayoutAnchor* other,
                                                                           CGFloat constant) {
    return makeConstraint(NSLayoutRelationEqual, other, constant);
}
NSLayoutConstraintRef NSLayoutAnchor::_constraintGreaterThanOrEqualToAnchorImpl(NSLayoutAnchor* other) {
    return makeConstraint(NSLayoutRelationGreaterThanOrEqual, other, 0);
}
NSLayoutConstraintRef NSLayoutAnchor::_constraintGreaterThanOrEqualToAnchorConstantImpl(NSLayoutAnchor* other,
                                                                                        CGFloat constant) {
    return makeConstraint(NSLayoutRelationGreaterThanOrEqual, other, constant);
}
NSLayoutConstraintRef NSLayoutAnchor::_constraintLessThanOrEqualToAnchorImpl(NSLayoutAnchor* other) {
    return makeConstraint(NSLayoutRelationLessThanOrEqual, other, 0);
}
NSLayoutConstraintRef NSLayoutAnchor::_constraintLessThanOrEqualToAnchorConstantImpl(NSLayoutAnchor* other,
                                                                                     CGFloat constant) {
    return makeConstraint(NSLayoutRelationLessThanOrEqual, other, constant);
}

void NSLayoutAnchor::_setItem(UIView* item, NSLayoutAttribute attribute) {
    m_item = item;
    m_attribute = attribute;
}

rt::Ref<UIView> NSLayoutAnchor::item() const {
    return m_item.lock();
}

std::string NSLayoutAnchor::name() const {
    return NSLayoutConstraint::_itemName(item()) + "." + NSLayoutConstraint::_attributeName(m_attribute);
}
