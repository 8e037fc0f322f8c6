#pragma once
#include <UIKit/UIImage.h>

namespace chatkit {

// A photo stand-in drawn by code: a sky fading into a sunset over two hills.
// `hue` shifts the sky so that different pictures look different.
rt::Ref<UIImage> samplePicture(int width, int height, double hue);

} // namespace chatkit
