#pragma once
#include "Canvas.h"

#include <UIKit/UIView.h>

namespace render {

// Walks a view tree back to front. For each visible view: its place and
// transform, its alpha (a group, so overlapping subviews fade together), its
// backdrop effect, background, what its class shows, its subviews (clipped
// when it masks to bounds), what its class shows above them, and its border.
class ViewPainter {
  public:
    explicit ViewPainter(const Canvas& canvas) : m_canvas(canvas) {}

    // The view at its frame in the current user space.
    void paint(UIView* view);
    // The view's own layers and subviews, its bounds' origin at the current origin.
    void paintContents(UIView* view);

  private:
    void paintOwnContent(UIView* view);
    // What a class shows above its subviews (a bar's items).
    void paintOverSubviews(UIView* view);
    const Canvas& m_canvas;
};

} // namespace render
