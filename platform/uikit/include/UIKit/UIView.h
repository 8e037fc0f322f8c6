#pragma once
#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>
#include <UIKit/CALayer.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIResponder.h>
#include <objc/Weak.h>

#include <vector>

class UIWindow;
class UIViewController;

// A rectangle on screen. Owns its subviews; its superview and the controller
// it belongs to are weak back-pointers, so a hierarchy is freed from the top.
// Everything the engine or a subclass may replace goes through the runtime.
#define UIVIEW_PROPERTIES(P)                                                                                 \
    P(CGRect, frame, setFrame, {})                                                                           \
    P(rt::Ref<UIColor>, backgroundColor, setBackgroundColor, {}) /* nil is clear */                          \
    P(CGFloat, alpha, setAlpha, 1.0)                                                                         \
    P(BOOL, isHidden, setHidden, NO)

// --- Drawing: the transform, applied about the centre of the bounds; the
// frame stays as set. Corners, clipping and border are the layer's.
#define UIVIEW_DRAWING_PROPERTIES(P) P(CGAffineTransform, transform, setTransform, CGAffineTransformIdentity)

#define UIVIEW_ALL_PROPERTIES(P) UIVIEW_PROPERTIES(P) UIVIEW_DRAWING_PROPERTIES(P)
// --- end of the drawing block ----------------------------------------------------

class UIKIT_EXTERN UIView : public UIResponder {
    RT_OBJECT(UIView, UIResponder)
    RT_PROPERTIES(UIVIEW_ALL_PROPERTIES)

    // Runtime method "initWithFrame:"; answers the view.
    id initWithFrame(CGRect frame);

    // Runtime methods "bounds", "setBounds:". The bounds keep their origin at
    // zero and share the frame's size.
    CGRect bounds();
    void setBounds(CGRect bounds);

    // Runtime methods "clipsToBounds" and "setClipsToBounds:": the layer's masksToBounds.
    BOOL clipsToBounds();
    void setClipsToBounds(BOOL clips);

    // Runtime methods "tintColor" and "setTintColor:". Without a tint of its
    // own a view takes its superview's, and at the top the system blue.
    rt::Ref<UIColor> tintColor();
    void setTintColor(UIColor* colour);

    // Runtime methods the view system calls and subclasses override.
    void layoutSubviews();
    void willMoveToSuperview(UIView* newSuperview);
    void didMoveToSuperview();
    void willMoveToWindow(UIWindow* newWindow);
    void didMoveToWindow();

    rt::Ref<UIView> superview() const { return m_superview.lock(); }
    const std::vector<rt::Ref<UIView>>& subviews() const { return m_subviews; }
    // Moves `view` on top of this view's subviews, taking it from any other superview.
    void addSubview(UIView* view);
    void removeFromSuperview();
    // The window at the top of the superview chain, if any (not owned).
    UIWindow* window() const;
    BOOL isDescendantOfView(const UIView* view) const;
    // The controller whose view is this view or its nearest ancestor with one.
    rt::Ref<UIViewController> _viewControllerForAncestor() const;

    // The tint set on this view itself, without inheritance.
    rt::Ref<UIColor> ownTintColor() const { return m_tintColor; }

    // Runtime method "layer": made with the view's first use of it, owned by the view.
    rt::Ref<CALayer> layer();

  private:
    friend class UIViewController;

    rt::Ref<UIColor> m_tintColor;
    rt::Ref<CALayer> m_layer;
    std::vector<rt::Ref<UIView>> m_subviews;
    rt::Weak<UIView> m_superview;
    rt::Weak<UIViewController> m_viewDelegate; // the controller whose view this is
};
