#pragma once
#include <UIKit/NSLayoutAnchor.h>

// Top, bottom and vertical centre.
class UIKIT_EXTERN NSLayoutYAxisAnchor : public NSLayoutAnchor {
    RT_OBJECT(NSLayoutYAxisAnchor, NSLayoutAnchor)
    NSLAYOUTANCHOR_TYPED_METHODS(NSLayoutYAxisAnchor)
};
