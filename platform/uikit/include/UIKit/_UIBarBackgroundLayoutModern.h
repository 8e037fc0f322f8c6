#pragma once
#include <UIKit/UIColor.h>

// How a bar background lays out its layers; `bg1Color` colours the first.
#define UIBARBACKGROUNDLAYOUTMODERN_PROPERTIES(P) P(rt::Ref<UIColor>, bg1Color, setBg1Color, {})

class UIKIT_EXTERN _UIBarBackgroundLayoutModern : public NSObject {
    RT_OBJECT(_UIBarBackgroundLayoutModern, NSObject)
    RT_PROPERTIES(UIBARBACKGROUNDLAYOUTMODERN_PROPERTIES)
};
