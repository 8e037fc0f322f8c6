#include <UIKit/UIView.h>

#include <UIKit/UIViewController.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

// Lets the runtime implementations below reach the view's private state.
struct UIViewAccess {
    static UIView* view(id self) { return static_cast<UIView*>(self); }
    static CGRect& frame(id self) { return view(self)->m_frame; }
    static rt::Ref<UIColor>& backgroundColor(id self) { return view(self)->m_backgroundColor; }
    static rt::Ref<UIColor>& tintColor(id self) { return view(self)->m_tintColor; }
    static CGFloat& alpha(id self) { return view(self)->m_alpha; }
    static BOOL& hidden(id self) { return view(self)->m_hidden; }
    static rt::Weak<UIViewController>& viewDelegate(id self) { return view(self)->m_viewDelegate; }
};

namespace {

using A = UIViewAccess;

id initWithFrame(id self, SEL, CGRect frame) {
    A::frame(self) = frame;
    return self;
}

CGRect frame(id self, SEL) {
    return A::frame(self);
}
void setFrame(id self, SEL, CGRect frame) {
    A::frame(self) = frame;
}
CGRect bounds(id self, SEL) {
    return CGRect{{}, A::frame(self).size};
}
void setBounds(id self, SEL, CGRect bounds) {
    A::frame(self).size = bounds.size;
}

rt::Ref<UIColor> backgroundColor(id self, SEL) {
    return A::backgroundColor(self);
}
void setBackgroundColor(id self, SEL, UIColor* colour) {
    A::backgroundColor(self) = colour;
}
CGFloat alpha(id self, SEL) {
    return A::alpha(self);
}
void setAlpha(id self, SEL, CGFloat alpha) {
    A::alpha(self) = alpha;
}
BOOL isHidden(id self, SEL) {
    return A::hidden(self);
}
void setHidden(id self, SEL, BOOL hidden) {
    A::hidden(self) = hidden;
}

rt::Ref<UIColor> tintColor(id self, SEL) {
    if (A::tintColor(self))
        return A::tintColor(self);
    if (rt::Ref<UIView> superview = A::view(self)->superview())
        return superview->tintColor();
    return UIColor::systemBlueColor();
}

void setTintColor(id self, SEL, UIColor* colour) {
    A::tintColor(self) = colour;
}

void nothing(id, SEL) {}
void nothingWithView(id, SEL, UIView*) {}
void nothingWithWindow(id, SEL, UIWindow*) {}

// A controller's view answers its controller; any other view its superview.
rt::Ref<UIResponder> nextResponder(id self, SEL) {
    if (rt::Ref<UIViewController> controller = A::viewDelegate(self).lock())
        return controller;
    return A::view(self)->superview();
}

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

[[maybe_unused]] const Class registered = UIView::classObject();

} // namespace

Class UIView::classObject() {
    static const Class cls = rt::defineClass("UIView", UIResponder::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"initWithFrame:">(), &::initWithFrame);
        class_addMethod(c, rt::sel<"frame">(), &::frame);
        class_addMethod(c, rt::sel<"setFrame:">(), &::setFrame);
        class_addMethod(c, rt::sel<"bounds">(), &::bounds);
        class_addMethod(c, rt::sel<"setBounds:">(), &::setBounds);
        class_addMethod(c, rt::sel<"backgroundColor">(), &::backgroundColor);
        class_addMethod(c, rt::sel<"setBackgroundColor:">(), &::setBackgroundColor);
        class_addMethod(c, rt::sel<"alpha">(), &::alpha);
        class_addMethod(c, rt::sel<"setAlpha:">(), &::setAlpha);
        class_addMethod(c, rt::sel<"isHidden">(), &::isHidden);
        class_addMethod(c, rt::sel<"setHidden:">(), &::setHidden);
        class_addMethod(c, rt::sel<"tintColor">(), &::tintColor);
        class_addMethod(c, rt::sel<"setTintColor:">(), &::setTintColor);
        class_addMethod(c, rt::sel<"layoutSubviews">(), &::nothing);
        class_addMethod(c, rt::sel<"willMoveToSuperview:">(), &::nothingWithView);
        class_addMethod(c, rt::sel<"didMoveToSuperview">(), &::nothing);
        class_addMethod(c, rt::sel<"willMoveToWindow:">(), &::nothingWithWindow);
        class_addMethod(c, rt::sel<"didMoveToWindow">(), &::nothing);
        class_addMethod(c, rt::sel<"nextResponder">(), &::nextResponder);
        rt::setAllocator(c, &rt::allocate<UIView>);
    });
    return cls;
}

id UIView::initWithFrame(CGRect frame) {
    return rt::send<id(CGRect)>(this, rt::sel<"initWithFrame:">(), frame);
}
CGRect UIView::frame() {
    return rt::send<CGRect()>(this, rt::sel<"frame">());
}
void UIView::setFrame(CGRect frame) {
    rt::send<void(CGRect)>(this, rt::sel<"setFrame:">(), frame);
}
CGRect UIView::bounds() {
    return rt::send<CGRect()>(this, rt::sel<"bounds">());
}
void UIView::setBounds(CGRect bounds) {
    rt::send<void(CGRect)>(this, rt::sel<"setBounds:">(), bounds);
}

rt::Ref<UIColor> UIView::backgroundColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"backgroundColor">());
}
void UIView::setBackgroundColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setBackgroundColor:">(), colour);
}
CGFloat UIView::alpha() {
    return rt::send<CGFloat()>(this, rt::sel<"alpha">());
}
void UIView::setAlpha(CGFloat alpha) {
    rt::send<void(CGFloat)>(this, rt::sel<"setAlpha:">(), alpha);
}
BOOL UIView::isHidden() {
    return rt::send<BOOL()>(this, rt::sel<"isHidden">());
}
void UIView::setHidden(BOOL hidden) {
    rt::send<void(BOOL)>(this, rt::sel<"setHidden:">(), hidden);
}

rt::Ref<UIColor> UIView::tintColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"tintColor">());
}
void UIView::setTintColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setTintColor:">(), colour);
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
    if (oldSuperview) {
        auto& siblings = oldSuperview->m_subviews;
        std::erase_if(siblings, [view](const rt::Ref<UIView>& s) { return s.get() == view; });
    }
    m_subviews.push_back(keep);
    view->m_superview = this;
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
