#pragma once
#include <UIKit/NSLayoutAnchor.h>

// Width and height: related to other dimensions or to fixed sizes.
#define NSLAYOUTDIMENSION_METHODS(M, O, C)                                                                   \
    M(rt::Ref<NSLayoutConstraint>, constraintEqualToConstant, "constraintEqualToConstant:", (CGFloat))       \
    M(rt::Ref<NSLayoutConstraint>, constraintGreaterThanOrEqualToConstant,                                   \
      "constraintGreaterThanOrEqualToConstant:", (CGFloat))                                                  \
    M(rt::Ref<NSLayoutConstraint>, constraintLessThanOrEqualToConstant,                                      \
      "constraintLessThanOrEqualToConstant:", (CGFloat))

class UIKIT_EXTERN NSLayoutDimension : public NSLayoutAnchor {
    RT_OBJECT(NSLayoutDimension, NSLayoutAnchor)
    NSLAYOUTANCHOR_TYPED_METHODS(NSLayoutDimension)
    RT_METHODS(NSLAYOUTDIMENSION_METHODS)

  private:
    rt::Ref<NSLayoutConstraint> toConstant(NSLayoutRelation relation, CGFloat constant);
};
