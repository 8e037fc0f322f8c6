#include "BlurRecipe.h"

#include <array>

namespace render {

namespace {

constexpr UIColor::Components grey(double level, double alpha) {
    return {level, level, level, alpha};
}

struct Row {
    UIBlurEffectStyle style;
    BlurRecipe light; // in the light look
    BlurRecipe dark;  // in the dark look
};

// The fixed styles look the same in both looks. The materials are this
// platform's own choice, since the device publishes none: a strong blur
// under a near-opaque sheet of the look's grouped background (242/28 grey),
// thinner or thicker by the sheet's alpha.
constexpr std::array kRecipes{
    Row{UIBlurEffectStyleExtraLight, {30, grey(0.97, 0.8)}, {30, grey(0.97, 0.8)}},
    Row{UIBlurEffectStyleLight, {30, grey(1.0, 0.3)}, {30, grey(1.0, 0.3)}},
    Row{UIBlurEffectStyleDark, {20, grey(0.11, 0.73)}, {20, grey(0.11, 0.73)}},
    Row{UIBlurEffectStyleRegular, {30, grey(1.0, 0.3)}, {20, grey(0.11, 0.73)}},
    Row{UIBlurEffectStyleProminent, {30, grey(0.97, 0.8)}, {20, grey(0.11, 0.73)}},
    Row{UIBlurEffectStyleSystemUltraThinMaterial, {30, grey(0.95, 0.35)}, {30, grey(0.11, 0.35)}},
    Row{UIBlurEffectStyleSystemThinMaterial, {30, grey(0.95, 0.55)}, {30, grey(0.11, 0.55)}},
    Row{UIBlurEffectStyleSystemMaterial, {30, grey(0.95, 0.72)}, {30, grey(0.11, 0.72)}},
    Row{UIBlurEffectStyleSystemThickMaterial, {30, grey(0.95, 0.88)}, {30, grey(0.11, 0.88)}},
    Row{UIBlurEffectStyleSystemChromeMaterial, {30, grey(0.97, 0.8)}, {30, grey(0.11, 0.8)}},
};

} // namespace

std::optional<BlurRecipe> BlurRecipe::forStyle(UIBlurEffectStyle style, UIUserInterfaceStyle look) {
    for (const Row& row : kRecipes)
        if (row.style == style)
            return look == UIUserInterfaceStyle::dark ? row.dark : row.light;
    return std::nullopt;
}

} // namespace render
