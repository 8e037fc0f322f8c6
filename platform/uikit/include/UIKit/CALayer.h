#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIColor.h>

// Which corners the corner radius rounds (all four unless told otherwise).
enum CACornerMask : NSUInteger {
    kCALayerMinXMinYCorner = 1 << 0,
    kCALayerMaxXMinYCorner = 1 << 1,
    kCALayerMinXMaxYCorner = 1 << 2,
    kCALayerMaxXMaxYCorner = 1 << 3,
    kCALayerAllCorners = 0xF,
};

// What a view draws with: its corners, clipping and border.
#define CALAYER_PROPERTIES(P)                                                                                \
    P(CGFloat, cornerRadius, setCornerRadius, 0.0)                                                           \
    P(CACornerMask, maskedCorners, setMaskedCorners, kCALayerAllCorners)                                     \
    P(BOOL, masksToBounds, setMasksToBounds, NO)                                                             \
    P(CGFloat, borderWidth, setBorderWidth, 0.0)                                                             \
    P(rt::Ref<UIColor>, borderColor, setBorderColor, {})

class UIKIT_EXTERN CALayer : public NSObject {
    RT_OBJECT(CALayer, NSObject)
    RT_PROPERTIES(CALAYER_PROPERTIES)
};
