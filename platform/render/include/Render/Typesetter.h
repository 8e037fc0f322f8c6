#pragma once
#include <Render/RenderDefines.h>
#include <UIKit/UIFont.h>

#include <string>

namespace render {

// How fonts are found for drawing.
class RENDER_EXPORT Typesetter {
  public:
    // The family the font machinery really loads for this font: a family that
    // is not installed silently falls back to another, which this shows.
    static std::string resolvedFamily(const UIFont* font);
    // Lays text out from now on at the width it is drawn at: the font
    // machinery measures every line (heights keep UIKit's 1.2 point sizes).
    static void useForLayout();
};

} // namespace render
