#pragma once
#include <UIKit/NSLayoutAnchor.h>

// Leading, trailing and horizontal centre.
class UIKIT_EXTERN NSLayoutXAxisAnchor : public NSLayoutAnchor {
    RT_OBJECT(NSLayoutXAxisAnchor, NSLayoutAnchor)
    NSLAYOUTANCHOR_TYPED_METHODS(NSLayoutXAxisAnchor)
};
