#include <UIKit/NSLayoutDimension.h>

#include <UIKit/UIView.h>

RT_DEFINE_CLASS(NSLayoutDimension, nullptr)

rt::Ref<NSLayoutConstraint> NSLayoutDimension::toConstant(NSLayoutRelation relation, CGFloat constant) {
    rt::Ref<UIView> view = item();
    if (!view)
        return nullptr;
    return NSLayoutConstraint::_make(view, attribute(), relation, nullptr, NSLayoutAttributeNotAnAttribute, 1,
                                     constant);
}

rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintEqualToConstantImpl(CGFloat constant) {
    return toConstant(NSLayoutRelationEqual, constant);
}
rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintGreaterThanOrEqualToConstantImpl(CGFloat constant) {
    return toConstant(NSLayoutRelationGreaterThanOrEqual, constant);
}
rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintLessThanOrEqualToConstantImpl(CGFloat constant) {
    return toConstant(NSLayoutRelationLessThanOrEqual, constant);
}
