#pragma once
#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIResponder.h>
#include <objc/Weak.h>

#include <vector>

class UIWindow;
class UIViewController;

// A rectangle on screen. Owns its subviews; its superview and the controller
// it belongs to are weak back-pointers, so a hierarchy is freed from the top.
// Everything the engine or a subclass may replace goes through the runtime.
class UIKIT_EXTERN UIView : public UIResponder {
  public:
    static Class classObject();
    UIView() : UIView(classObject()) {}
    explicit UIView(Class cls) : UIResponder(cls) {}

    // Runtime method "initWithFrame:"; answers the view.
    id initWithFrame(CGRect frame);

    // Runtime methods "frame", "setFrame:", "bounds", "setBounds:". The bounds
    // keep their origin at zero and share the frame's size.
    CGRect frame();
    void setFrame(CGRect frame);
    CGRect bounds();
    void setBounds(CGRect bounds);

    // Runtime methods "backgroundColor" and "setBackgroundColor:"; nil is clear.
    rt::Ref<UIColor> backgroundColor();
    void setBackgroundColor(UIColor* colour);
    // Runtime methods "alpha", "setAlpha:", "isHidden", "setHidden:".
    CGFloat alpha();
    void setAlpha(CGFloat alpha);
    BOOL isHidden();
    void setHidden(BOOL hidden);

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

  private:
    friend class UIViewController;
    friend struct UIViewAccess;

    CGRect m_frame{};
    rt::Ref<UIColor> m_backgroundColor;
    rt::Ref<UIColor> m_tintColor;
    CGFloat m_alpha = 1.0;
    BOOL m_hidden = NO;
    std::vector<rt::Ref<UIView>> m_subviews;
    rt::Weak<UIView> m_superview;
    rt::Weak<UIViewController> m_viewDelegate; // the controller whose view this is
};
