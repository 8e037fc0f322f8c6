#pragma once
#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>
#include <UIKit/CALayer.h>
#include <UIKit/NSLayoutDimension.h>
#include <UIKit/NSLayoutXAxisAnchor.h>
#include <UIKit/NSLayoutYAxisAnchor.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIResponder.h>
#include <objc/Weak.h>

#include <functional>
#include <memory>
#include <vector>

class UIWindow;
class UIViewController;

// What intrinsicContentSize answers on an axis the view has no natural size for.
inline constexpr CGFloat UIViewNoIntrinsicMetric = -1;

// Plain view properties of the layout block below; the layer itself is not modelled yet.
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

// "initWithFrame:" answers the view. The bounds keep their origin at zero
// and share the frame's size. "clipsToBounds" is the layer's
// masksToBounds. Without a tint of its own a view takes its superview's,
// and at the top the system blue. The view system calls the "...Move..."
// methods and "layoutSubviews"; subclasses override them. "layer" is made
// with the view's first use of it, owned by the view. Changes made in the
// block of "animateWithDuration:animations:" are kept at once: what is drawn
// is the animation's end.
#define UIVIEW_METHODS(M, O, C)                                                                              \
    M(id, initWithFrame, "initWithFrame:", (CGRect))                                                         \
    M(CGRect, bounds, "bounds", ())                                                                          \
    M(void, setBounds, "setBounds:", (CGRect))                                                               \
    M(BOOL, clipsToBounds, "clipsToBounds", ())                                                              \
    M(void, setClipsToBounds, "setClipsToBounds:", (BOOL))                                                   \
    M(rt::Ref<UIColor>, tintColor, "tintColor", ())                                                          \
    M(void, setTintColor, "setTintColor:", (UIColor*))                                                       \
    M(void, layoutSubviews, "layoutSubviews", ())                                                            \
    M(void, willMoveToSuperview, "willMoveToSuperview:", (UIView*))                                          \
    M(void, didMoveToSuperview, "didMoveToSuperview", ())                                                    \
    M(void, willMoveToWindow, "willMoveToWindow:", (UIWindow*))                                              \
    M(void, didMoveToWindow, "didMoveToWindow", ())                                                          \
    M(rt::Ref<CALayer>, layer, "layer", ())                                                                  \
    O(nextResponder)                                                                                         \
    C(void, animateWithDuration, "animateWithDuration:animations:", (double, const std::function<void()>&))

// --- Auto layout (UIViewLayout.cpp). Anchors are made once per view.
// "translatesAutoresizingMaskIntoConstraints" YES (a view made in code): the
// frame it is given is kept, as required constraints; NO: its constraints
// place it. "layoutIfNeeded" is a pass over the whole hierarchy: constraints
// solved, frames set, then "layoutSubviews" sent top-down to every view that
// needs it. "intrinsicContentSize" is the size the content asks for,
// UIViewNoIntrinsicMetric on an axis without one (a plain view's answer).
// Hugging and compression resistance are 250 and 750 unless set.
#define UIVIEW_LAYOUT_METHODS(M, O, C)                                                                       \
    M(rt::Ref<NSLayoutXAxisAnchor>, leadingAnchor, "leadingAnchor", ())                                      \
    M(rt::Ref<NSLayoutXAxisAnchor>, trailingAnchor, "trailingAnchor", ())                                    \
    M(rt::Ref<NSLayoutXAxisAnchor>, centerXAnchor, "centerXAnchor", ())                                      \
    M(rt::Ref<NSLayoutYAxisAnchor>, topAnchor, "topAnchor", ())                                              \
    M(rt::Ref<NSLayoutYAxisAnchor>, bottomAnchor, "bottomAnchor", ())                                        \
    M(rt::Ref<NSLayoutYAxisAnchor>, centerYAnchor, "centerYAnchor", ())                                      \
    M(rt::Ref<NSLayoutDimension>, widthAnchor, "widthAnchor", ())                                            \
    M(rt::Ref<NSLayoutDimension>, heightAnchor, "heightAnchor", ())                                          \
    M(BOOL, translatesAutoresizingMaskIntoConstraints, "translatesAutoresizingMaskIntoConstraints", ())      \
    M(void, setTranslatesAutoresizingMaskIntoConstraints,                                                    \
      "setTranslatesAutoresizingMaskIntoConstraints:", (BOOL))                                               \
    M(void, setNeedsLayout, "setNeedsLayout", ())                                                            \
    M(void, layoutIfNeeded, "layoutIfNeeded", ())                                                            \
    M(CGSize, intrinsicContentSize, "intrinsicContentSize", ())                                              \
    M(void, invalidateIntrinsicContentSize, "invalidateIntrinsicContentSize", ())                            \
    M(UILayoutPriority, contentHuggingPriorityForAxis,                                                       \
      "contentHuggingPriorityForAxis:", (UILayoutConstraintAxis))                                            \
    M(void, setContentHuggingPriority,                                                                       \
      "setContentHuggingPriority:forAxis:", (UILayoutPriority, UILayoutConstraintAxis))                      \
    M(UILayoutPriority, contentCompressionResistancePriorityForAxis,                                         \
      "contentCompressionResistancePriorityForAxis:", (UILayoutConstraintAxis))                              \
    M(void, setContentCompressionResistancePriority,                                                         \
      "setContentCompressionResistancePriority:forAxis:", (UILayoutPriority, UILayoutConstraintAxis))

#define UIVIEW_ALL_METHODS(M, O, C) UIVIEW_METHODS(M, O, C) UIVIEW_LAYOUT_METHODS(M, O, C)

class UIKIT_EXTERN UIView : public UIResponder {
    RT_OBJECT(UIView, UIResponder)
    RT_PROPERTIES(UIVIEW_ALL_PROPERTIES)
    RT_METHODS(UIVIEW_ALL_METHODS)

  public:
    rt::Ref<UIView> superview() const { return m_superview.lock(); }
    const std::vector<rt::Ref<UIView>>& subviews() const { return m_subviews; }
    // Moves `view` on top of this view's subviews, taking it from any other superview.
    void addSubview(UIView* view);
    // The same at `index` among the subviews (0 is at the back); indices past
    // the end put it on top.
    void insertSubview(UIView* view, NSInteger index);
    void removeFromSuperview();
    // The window at the top of the superview chain, if any (not owned).
    UIWindow* window() const;
    BOOL isDescendantOfView(const UIView* view) const;
    // The controller whose view is this view or its nearest ancestor with one.
    rt::Ref<UIViewController> _viewControllerForAncestor() const;

    // The duration of the last animation asked for.
    static double _lastAnimationDuration();

    // The tint set on this view itself, without inheritance.
    rt::Ref<UIColor> ownTintColor() const { return m_tintColor; }

    // ---- Auto layout: anchors, constraints and the layout pass (UIViewLayout.cpp) ----
  public:
    // The active constraints this view owns: those whose views it is the
    // nearest common ancestor of.
    const std::vector<rt::Ref<NSLayoutConstraint>>& constraints() const { return m_layout.constraints; }
    BOOL needsLayout() const { return m_layout.needsLayout; }

    // The view system's side of the above, for UIView.cpp and the constraints.
    static void registerLayoutMethods(Class cls);

  private:
    // Replaces the frame setter the property made.
    void setFrameImpl(const CGRect& frame);

  public:
    // After `this` joined a superview / before it leaves `oldSuperview`:
    // marks the hierarchies for layout; leaving ends the constraints that tie
    // the subtree to the views it leaves.
    void _didJoinSuperview();
    void _willLeaveSuperview(UIView* oldSuperview);
    // Adds an active constraint to / takes one from those this view owns.
    void _addActiveConstraint(NSLayoutConstraint* constraint);
    void _removeActiveConstraint(NSLayoutConstraint* constraint);
    // The hierarchy of this view needs its constraints solved again.
    void _setNeedsConstraintSolve();

  private:
    struct LayoutState {
        rt::Ref<NSLayoutAnchor> anchors[8]; // by the attribute's slot, made on first use
        std::vector<rt::Ref<NSLayoutConstraint>> constraints;
        BOOL translatesAutoresizingMask = YES;
        bool needsLayout = true;      // a new view lays out at the first pass
        bool needsSolve = false;      // kept on the top view of a hierarchy
        std::shared_ptr<void> solver; // the hierarchy's solver between passes, on its top view
        UILayoutPriority hugging[2] = {UILayoutPriorityDefaultLow, UILayoutPriorityDefaultLow};
        UILayoutPriority compression[2] = {UILayoutPriorityDefaultHigh, UILayoutPriorityDefaultHigh};
    };
    LayoutState m_layout;
    friend struct UIViewLayoutAccess;
    // ---- end of auto layout ----

  private:
    friend class UIViewController;

    rt::Ref<UIColor> m_tintColor;
    rt::Ref<CALayer> m_layer;
    std::vector<rt::Ref<UIView>> m_subviews;
    rt::Weak<UIView> m_superview;
    rt::Weak<UIViewController> m_viewDelegate; // the controller whose view this is
};
