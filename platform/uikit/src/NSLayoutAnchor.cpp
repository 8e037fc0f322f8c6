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

// Both views must still be there and the anchors of one kind; anything else
// answers nil, which every later message then ignores.
rt::Ref<NSLayoutConstraint> makeConstraint(id self, NSLayoutRelation relation, NSLayoutAnchor* other,
                                           CGFloat constant) {
    auto* anchor = static_cast<NSLayoutAnchor*>(self);
    rt::Ref<UIView> first = anchor->item();
    rt::Ref<UIView> second = other ? other->item() : nullptr;
    if (!first || !second || !sameKind(anchor->attribute(), other->attribute())) {
        NSLog("[LayoutConstraints] No constraint between " + anchor->name() + " and " +
              (other ? other->name() : std::string("(nil)")) +
              ": anchors of different kinds or without a view.");
        return nullptr;
    }
    return NSLayoutConstraint::_make(first, anchor->attribute(), relation, second, other->attribute(), 1,
                                     constant);
}

template <NSLayoutRelation Relation>
rt::Ref<NSLayoutConstraint> toAnchor(id self, SEL, NSLayoutAnchor* other) {
    return makeConstraint(self, Relation, other, 0);
}

template <NSLayoutRelation Relation>
rt::Ref<NSLayoutConstraint> toAnchorPlus(id self, SEL, NSLayoutAnchor* other, CGFloat constant) {
    return makeConstraint(self, Relation, other, constant);
}

} // namespace

RT_DEFINE_CLASS(NSLayoutAnchor, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"constraintEqualToAnchor:">(), &toAnchor<NSLayoutRelationEqual>);
    class_addMethod(cls, rt::sel<"constraintEqualToAnchor:constant:">(),
                    &toAnchorPlus<NSLayoutRelationEqual>);
    class_addMethod(cls, rt::sel<"constraintGreaterThanOrEqualToAnchor:">(),
                    &toAnchor<NSLayoutRelationGreaterThanOrEqual>);
    class_addMethod(cls, rt::sel<"constraintGreaterThanOrEqualToAnchor:constant:">(),
                    &toAnchorPlus<NSLayoutRelationGreaterThanOrEqual>);
    class_addMethod(cls, rt::sel<"constraintLessThanOrEqualToAnchor:">(),
                    &toAnchor<NSLayoutRelationLessThanOrEqual>);
    class_addMethod(cls, rt::sel<"constraintLessThanOrEqualToAnchor:constant:">(),
                    &toAnchorPlus<NSLayoutRelationLessThanOrEqual>);
})

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

rt::Ref<NSLayoutConstraint> NSLayoutAnchor::sendConstraint(SEL selector, NSLayoutAnchor* anchor) {
    return rt::send<rt::Ref<NSLayoutConstraint>(NSLayoutAnchor*)>(this, selector, anchor);
}

rt::Ref<NSLayoutConstraint> NSLayoutAnchor::sendConstraint(SEL selector, NSLayoutAnchor* anchor,
                                                           CGFloat constant) {
    return rt::send<rt::Ref<NSLayoutConstraint>(NSLayoutAnchor*, CGFloat)>(this, selector, anchor, constant);
}
