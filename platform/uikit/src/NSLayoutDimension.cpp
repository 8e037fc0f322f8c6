#include <UIKit/NSLayoutDimension.h>

#include <UIKit/UIView.h>

namespace {

template <NSLayoutRelation Relation> rt::Ref<NSLayoutConstraint> toConstant(id self, SEL, CGFloat constant) {
    auto* dimension = static_cast<NSLayoutDimension*>(self);
    rt::Ref<UIView> item = dimension->item();
    if (!item)
        return nullptr;
    return NSLayoutConstraint::_make(item, dimension->attribute(), Relation, nullptr,
                                     NSLayoutAttributeNotAnAttribute, 1, constant);
}

} // namespace

RT_DEFINE_CLASS(NSLayoutDimension, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"constraintEqualToConstant:">(), &toConstant<NSLayoutRelationEqual>);
    class_addMethod(cls, rt::sel<"constraintGreaterThanOrEqualToConstant:">(),
                    &toConstant<NSLayoutRelationGreaterThanOrEqual>);
    class_addMethod(cls, rt::sel<"constraintLessThanOrEqualToConstant:">(),
                    &toConstant<NSLayoutRelationLessThanOrEqual>);
})

rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintEqualToConstant(CGFloat constant) {
    return rt::send<rt::Ref<NSLayoutConstraint>(CGFloat)>(this, rt::sel<"constraintEqualToConstant:">(),
                                                          constant);
}
rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintGreaterThanOrEqualToConstant(CGFloat constant) {
    return rt::send<rt::Ref<NSLayoutConstraint>(CGFloat)>(
        this, rt::sel<"constraintGreaterThanOrEqualToConstant:">(), constant);
}
rt::Ref<NSLayoutConstraint> NSLayoutDimension::constraintLessThanOrEqualToConstant(CGFloat constant) {
    return rt::send<rt::Ref<NSLayoutConstraint>(CGFloat)>(
        this, rt::sel<"constraintLessThanOrEqualToConstant:">(), constant);
}
