#pragma once
#include <UIKit/UIColor.h>

// What a view draws with: its corners, clipping and border.
#define CALAYER_PROPERTIES(P)                                                                                \
    P(CGFloat, cornerRadius, setCornerRadius, 0.0)                                                           \
    P(BOOL, masksToBounds, setMasksToBounds, NO)                                                             \
    P(CGFloat, borderWidth, setBorderWidth, 0.0)                                                             \
    P(rt::Ref<UIColor>, borderColor, setBorderColor, {})

class UIKIT_EXTERN CALayer : public NSObject {
    RT_OBJECT(CALayer, NSObject)
    RT_PROPERTIES(CALAYER_PROPERTIES)
};
