#pragma once
#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>

enum UIViewContentMode : NSInteger {
    UIViewContentModeScaleToFill = 0,
    UIViewContentModeScaleAspectFit = 1,
    UIViewContentModeScaleAspectFill = 2, // overflow shows unless the view clips
    UIViewContentModeCenter = 4,
};

// Shows an image in its bounds as the content mode says; a template image is
// drawn in the view's tint colour.
#define UIIMAGEVIEW_PROPERTIES(P)                                                                            \
    P(rt::Ref<UIImage>, image, setImage, {})                                                                 \
    P(UIViewContentMode, contentMode, setContentMode, UIViewContentModeScaleToFill)

class UIKIT_EXTERN UIImageView : public UIView {
    RT_OBJECT(UIImageView, UIView)
    RT_PROPERTIES(UIIMAGEVIEW_PROPERTIES)

    // "initWithImage:": the view takes the image's size.
    UIImageView* initWithImage(UIImage* image);
};
