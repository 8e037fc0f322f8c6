#pragma once
#include "BlurRecipe.h"
#include "Canvas.h"

namespace render {

// A blur of what is already drawn behind a shape, then the recipe's tint,
// both inside the shape.
class BackdropBlur {
  public:
    // The current path is the shape (in user space); it is consumed.
    static void paint(const Canvas& canvas, const BlurRecipe& recipe);

    // Blurs at a fraction of the resolution: a quarter once the radius is large
    // enough that the lost detail would be blurred away anyway.
    static int reduction(double sigmaPixels);
};

} // namespace render
