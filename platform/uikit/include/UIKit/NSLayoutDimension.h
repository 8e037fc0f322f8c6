#pragma once
#include <UIKit/NSLayoutAnchor.h>

// Width and height: related to other dimensions or to fixed sizes.
class UIKIT_EXTERN NSLayoutDimension : public NSLayoutAnchor {
    RT_OBJECT(NSLayoutDimension, NSLayoutAnchor)
    NSLAYOUTANCHOR_TYPED_METHODS(NSLayoutDimension)

    // Runtime methods "constraintEqualToConstant:", "constraintGreaterThanOrEqualToConstant:"
    // and "constraintLessThanOrEqualToConstant:".
    rt::Ref<NSLayoutConstraint> constraintEqualToConstant(CGFloat constant);
    rt::Ref<NSLayoutConstraint> constraintGreaterThanOrEqualToConstant(CGFloat constant);
    rt::Ref<NSLayoutConstraint> constraintLessThanOrEqualToConstant(CGFloat constant);
};
