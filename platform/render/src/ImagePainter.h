#pragma once
#include "Canvas.h"

#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>

#include <optional>

namespace render {

// Draws an image into a rectangle as a content mode places it.
class ImagePainter {
  public:
    // Where the image lands in `bounds` (it may overflow for aspect-fill and centre).
    static CGRect placement(CGSize image, CGRect bounds, UIViewContentMode mode);
    // A template is painted in `tint`; anything else as it is. Symbols drawn
    // as they are use the label colour.
    static void paint(const Canvas& canvas, const UIImage& image, CGRect destination,
                      std::optional<UIColor::Components> tint);
    static void paintImageView(const Canvas& canvas, UIImageView* view);
};

} // namespace render
