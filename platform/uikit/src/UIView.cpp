#include <UIKit/UIView.h>

#include <algorithm>
#include <limits>

#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

namespace {

void notifyWillMoveToWindow(UIView* view, UIWindow* window) {
    view->willMoveToWindow(window);
    for (const rt::Ref<UIView>& subview : view->subviews())
        notifyWillMoveToWindow(subview, window);
}

void notifyDidMoveToWindow(UIView* view) {
    view->didMoveToWindow();
    for (const rt::Ref<UIView>& subview : view->subviews())
        notifyDidMoveToWindow(subview);
}

} // namespace

RT_DEFINE_CLASS(UIView, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"initWithFrame:">(), +[](id self, SEL, CGRect frame) -> id {
            static_cast<UIView*>(self)->m_frame = frame;
            return self;
        });
    class_addMethod(
        cls, rt::sel<"bounds">(), +[](id self, SEL) {
            return CGRect{{}, static_cast<UIView*>(self)->frame().size};
        });
    class_addMethod(
        cls, rt::sel<"setBounds:">(), +[](id self, SEL, CGRect bounds) {
            UIView* view = static_cast<UIView*>(self);
            CGRect frame = view->frame();
            frame.size = bounds.size;
            view->setFrame(frame);
        });
    // The view's clipping is its layer's.
    class_addMethod(
        cls, rt::sel<"clipsToBounds">(),
        +[](id self, SEL) { return static_cast<UIView*>(self)->layer()->masksToBounds(); });
    class_addMethod(
        cls, rt::sel<"setClipsToBounds:">(),
        +[](id self, SEL, BOOL clips) { static_cast<UIView*>(self)->layer()->setMasksToBounds(clips); });
    class_addMethod(
        cls, rt::sel<"tintColor">(), +[](id self, SEL) -> rt::Ref<UIColor> {
            UIView* view = static_cast<UIView*>(self);
            if (view->m_tintColor)
                return view->m_tintColor;
            if (rt::Ref<UIView> superview = view->superview())
                return superview->tintColor();
            return UIColor::systemBlueColor();
        });
    class_addMethod(
        cls, rt::sel<"setTintColor:">(),
        +[](id self, SEL, UIColor* colour) { static_cast<UIView*>(self)->m_tintColor = colour; });
    class_addMethod(
        cls, rt::sel<"layer">(), +[](id self, SEL) {
            UIView* view = static_cast<UIView*>(self);
            if (!view->m_layer)
                view->m_layer = rt::make<CALayer>();
            return view->m_layer;
        });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(), +[](id, SEL) {});
    class_addMethod(
        cls, rt::sel<"willMoveToSuperview:">(), +[](id, SEL, UIView*) {});
    class_addMethod(
        cls, rt::sel<"didMoveToSuperview">(), +[](id, SEL) {});
    class_addMethod(
        cls, rt::sel<"willMoveToWindow:">(), +[](id, SEL, UIWindow*) {});
    class_addMethod(
        cls, rt::sel<"didMoveToWindow">(), +[](id, SEL) {});
    // A controller's view answers its controller; any other view its superview.
    class_addMethod(
        cls, rt::sel<"nextResponder">(), +[](id self, SEL) -> rt::Ref<UIResponder> {
            UIView* view = static_cast<UIView*>(self);
            if (rt::Ref<UIViewController> controller = view->m_viewDelegate.lock())
                return controller;
            return view->superview();
        });
    UIView::registerLayoutMethods(cls);
})

id UIView::initWithFrame(CGRect frame) {
    return rt::send<id(CGRect)>(this, rt::sel<"initWithFrame:">(), frame);
}
CGRect UIView::bounds() {
    return rt::send<CGRect()>(this, rt::sel<"bounds">());
}
void UIView::setBounds(CGRect bounds) {
    rt::send<void(CGRect)>(this, rt::sel<"setBounds:">(), bounds);
}

BOOL UIView::clipsToBounds() {
    return rt::send<BOOL()>(this, rt::sel<"clipsToBounds">());
}
void UIView::setClipsToBounds(BOOL clips) {
    rt::send<void(BOOL)>(this, rt::sel<"setClipsToBounds:">(), clips);
}

rt::Ref<UIColor> UIView::tintColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"tintColor">());
}
void UIView::setTintColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setTintColor:">(), colour);
}

rt::Ref<CALayer> UIView::layer() {
    return rt::send<rt::Ref<CALayer>()>(this, rt::sel<"layer">());
}

void UIView::layoutSubviews() {
    rt::send<void()>(this, rt::sel<"layoutSubviews">());
}
void UIView::willMoveToSuperview(UIView* newSuperview) {
    rt::send<void(UIView*)>(this, rt::sel<"willMoveToSuperview:">(), newSuperview);
}
void UIView::didMoveToSuperview() {
    rt::send<void()>(this, rt::sel<"didMoveToSuperview">());
}
void UIView::willMoveToWindow(UIWindow* newWindow) {
    rt::send<void(UIWindow*)>(this, rt::sel<"willMoveToWindow:">(), newWindow);
}
void UIView::didMoveToWindow() {
    rt::send<void()>(this, rt::sel<"didMoveToWindow">());
}

void UIView::addSubview(UIView* view) {
    insertSubview(view, std::numeric_limits<NSInteger>::max());
}

void UIView::insertSubview(UIView* view, NSInteger index) {
    if (!view || view == this || isDescendantOfView(view))
        return; // a view cannot contain itself or its own ancestor
    rt::Ref<UIView> keep(view);
    rt::Ref<UIView> oldSuperview = view->superview();
    UIWindow* oldWindow = view->window();
    UIWindow* newWindow = window();
    const bool windowChanges = oldWindow != newWindow;

    if (oldSuperview.get() != this)
        view->willMoveToSuperview(this);
    if (windowChanges)
        notifyWillMoveToWindow(view, newWindow);
    if (oldSuperview && oldSuperview.get() != this)
        view->_willLeaveSuperview(oldSuperview);
    if (oldSuperview) {
        auto& siblings = oldSuperview->m_subviews;
        std::erase_if(siblings, [view](const rt::Ref<UIView>& s) { return s.get() == view; });
    }
    const auto at = static_cast<std::size_t>(std::max<NSInteger>(index, 0));
    m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(std::min(at, m_subviews.size())),
                      keep);
    view->m_superview = this;
    view->_didJoinSuperview();
    if (windowChanges)
        notifyDidMoveToWindow(view);
    if (oldSuperview.get() != this)
        view->didMoveToSuperview();
}

void UIView::removeFromSuperview() {
    rt::Ref<UIView> superview = this->superview();
    if (!superview)
        return;
    rt::Ref<UIView> keep(this); // the superview may hold the last reference
    UIWindow* oldWindow = window();
    willMoveToSuperview(nullptr);
    if (oldWindow)
        notifyWillMoveToWindow(this, nullptr);
    _willLeaveSuperview(superview);
    std::erase_if(superview->m_subviews, [this](const rt::Ref<UIView>& s) { return s.get() == this; });
    m_superview = nullptr;
    if (oldWindow)
        notifyDidMoveToWindow(this);
    didMoveToSuperview();
}

// The walks below use plain pointers: a view being built may not be owned yet,
// and a temporary strong reference to it would free it on release.
UIWindow* UIView::window() const {
    for (const UIView* view = this; view; view = view->m_superview.lock().get())
        if (view->isKindOfClass(UIWindow::classObject()))
            return static_cast<UIWindow*>(const_cast<UIView*>(view));
    return nullptr;
}

BOOL UIView::isDescendantOfView(const UIView* view) const {
    if (!view)
        return NO;
    for (const UIView* current = this; current; current = current->m_superview.lock().get())
        if (current == view)
            return YES;
    return NO;
}

rt::Ref<UIViewController> UIView::_viewControllerForAncestor() const {
    for (const UIView* view = this; view; view = view->m_superview.lock().get())
        if (rt::Ref<UIViewController> controller = view->m_viewDelegate.lock())
            return controller;
    return nullptr;
}
