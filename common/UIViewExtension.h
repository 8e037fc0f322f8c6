#pragma once
#include <UIKit/UIGeometry.h>
#include <UIKit/UIView.h>

// The auto-layout shorthands of the category UIView(extension), for one
// receiver: UIViewExtension(label).trailing(cell->trailingAnchor(), -15).
// Every method first switches the receiver's autoresizing-mask translation
// off, even when it makes nothing, then makes its equality constraints in a
// fixed order and switches each on as soon as it is made. Constants are used
// exactly as passed on every edge, so a gap before a trailing or bottom
// anchor is negative. The constraints are not kept: once active they belong
// to the layout engine.
class UIViewExtension {
  public:
    explicit UIViewExtension(UIView* view) : m_view(view) {}

    // top, leading, trailing, bottom, each to its anchor plus its inset
    // (padding.right and padding.bottom as passed); a missing anchor skips its edge.
    void top(NSLayoutYAxisAnchor* top, NSLayoutXAxisAnchor* leading, NSLayoutYAxisAnchor* bottom,
             NSLayoutXAxisAnchor* trailing, UIEdgeInsets padding);
    // One edge to an anchor plus `padding`; nothing without an anchor.
    void top(NSLayoutYAxisAnchor* anchor, CGFloat padding);
    void leading(NSLayoutXAxisAnchor* anchor, CGFloat padding);
    void trailing(NSLayoutXAxisAnchor* anchor, CGFloat padding);
    void bottom(NSLayoutYAxisAnchor* anchor, CGFloat padding);
    // Width then height; a component that is exactly 0 (or -0) makes nothing.
    void size(CGSize size);
    // Always made, also for 0.
    void width(CGFloat width);
    void height(CGFloat height);
    // Centres on anchors. A call missing an anchor makes nothing.
    void x(NSLayoutXAxisAnchor* x, NSLayoutYAxisAnchor* y);
    void x(NSLayoutXAxisAnchor* anchor);
    void y(NSLayoutYAxisAnchor* anchor);
    void x(NSLayoutXAxisAnchor* anchor, CGFloat padding);
    void y(NSLayoutYAxisAnchor* anchor, CGFloat padding);
    // The superview's four edges, without margins; the superview is asked for
    // afresh for each edge, and without one nothing is made.
    void fill();

  private:
    void stopTranslating();

    UIView* m_view;
};
