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

RT_DEFINE_CLASS(UIView, [](Class cls, Class) { UIView::registerLayoutMethods(cls); })

id UIView::initWithFrameImpl(CGRect frame) {
    m_frame = frame;
    return this;
}

CGRect UIView::boundsImpl() {
    return CGRect{{}, frame().size};
}
void UIView::setBoundsImpl(CGRect bounds) {
    CGRect resized = frame();
    resized.size = bounds.size;
    setFrame(resized);
}

// The view's clipping is its layer's.
BOOL UIView::clipsToBoundsImpl() {
    return layer()->masksToBounds();
}
void UIView::setClipsToBoundsImpl(BOOL clips) {
    layer()->setMasksToBounds(clips);
}

rt::Ref<UIColor> UIView::tintColorImpl() {
    if (m_tintColor)
        return m_tintColor;
    if (rt::Ref<UIView> parent = superview())
        return parent->tintColor();
    return UIColor::systemBlueColor();
}
void UIView::setTintColorImpl(UIColor* colour) {
    m_tintColor = colour;
}

rt::Ref<CALayer> UIView::layerImpl() {
    if (!m_layer)
        m_layer = rt::make<CALayer>();
    return m_layer;
}

void UIView::layoutSubviewsImpl() {}
void UIView::willMoveToSuperviewImpl(UIView*) {}
void UIView::didMoveToSuperviewImpl() {}
void UIView::willMoveToWindowImpl(UIWindow*) {}
void UIView::didMoveToWindowImpl() {}

// A controller's view answers its controller; any other view its superview.
rt::Ref<UIResponder> UIView::nextResponderImpl() {
    if (rt::Ref<UIViewController> controller = m_viewDelegate.lock())
        return controller;
    return superview();
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
