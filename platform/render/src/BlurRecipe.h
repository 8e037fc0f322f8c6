#pragma once
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIColor.h>
#include <UIKit/UITraitCollection.h>

#include <optional>

namespace render {

// How a blur style looks: the blur radius (a Gaussian's standard deviation,
// in points) and the tint laid over the blurred backdrop.
struct BlurRecipe {
    double radius;
    UIColor::Components tint;

    // The recipe of a style in a look; nothing for a style the platform does not have.
    static std::optional<BlurRecipe> forStyle(UIBlurEffectStyle style, UIUserInterfaceStyle look);
};

} // namespace render
