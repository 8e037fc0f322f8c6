#include "UIViewExtension.h"

namespace {

// Switches a constraint on as soon as it is made; a constraint that could not
// be made (nil) is ignored like any message to nil.
void activate(const rt::Ref<NSLayoutConstraint>& constraint) {
    if (constraint)
        constraint->setActive(YES);
}

} // namespace

void UIViewExtension::stopTranslating() {
    m_view->setTranslatesAutoresizingMaskIntoConstraints(NO);
}

void UIViewExtension::top(NSLayoutYAxisAnchor* top, NSLayoutXAxisAnchor* leading, NSLayoutYAxisAnchor* bottom,
                          NSLayoutXAxisAnchor* trailing, UIEdgeInsets padding) {
    stopTranslating();
    if (top)
        activate(m_view->topAnchor()->constraintEqualToAnchor(top, padding.top));
    if (leading)
        activate(m_view->leadingAnchor()->constraintEqualToAnchor(leading, padding.left));
    if (trailing)
        activate(m_view->trailingAnchor()->constraintEqualToAnchor(trailing, padding.right));
    if (bottom)
        activate(m_view->bottomAnchor()->constraintEqualToAnchor(bottom, padding.bottom));
}

void UIViewExtension::top(NSLayoutYAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->topAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::leading(NSLayoutXAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->leadingAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::trailing(NSLayoutXAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->trailingAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::bottom(NSLayoutYAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->bottomAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::size(CGSize size) {
    stopTranslating();
    // Exact comparisons: only 0 and -0 count as "no size"; NaN makes a constraint.
    if (size.width != 0.0)
        activate(m_view->widthAnchor()->constraintEqualToConstant(size.width));
    if (size.height != 0.0)
        activate(m_view->heightAnchor()->constraintEqualToConstant(size.height));
}

void UIViewExtension::width(CGFloat width) {
    stopTranslating();
    activate(m_view->widthAnchor()->constraintEqualToConstant(width));
}

void UIViewExtension::height(CGFloat height) {
    stopTranslating();
    activate(m_view->heightAnchor()->constraintEqualToConstant(height));
}

void UIViewExtension::x(NSLayoutXAxisAnchor* x, NSLayoutYAxisAnchor* y) {
    stopTranslating();
    if (!x || !y)
        return;
    activate(m_view->centerXAnchor()->constraintEqualToAnchor(x));
    activate(m_view->centerYAnchor()->constraintEqualToAnchor(y));
}

void UIViewExtension::x(NSLayoutXAxisAnchor* anchor) {
    stopTranslating();
    if (anchor)
        activate(m_view->centerXAnchor()->constraintEqualToAnchor(anchor));
}

void UIViewExtension::y(NSLayoutYAxisAnchor* anchor) {
    stopTranslating();
    if (anchor)
        activate(m_view->centerYAnchor()->constraintEqualToAnchor(anchor));
}

void UIViewExtension::x(NSLayoutXAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->centerXAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::y(NSLayoutYAxisAnchor* anchor, CGFloat padding) {
    stopTranslating();
    if (anchor)
        activate(m_view->centerYAnchor()->constraintEqualToAnchor(anchor, padding));
}

void UIViewExtension::fill() {
    stopTranslating();
    rt::Ref<UIView> superview = m_view->superview();
    if (!superview)
        return;
    activate(m_view->topAnchor()->constraintEqualToAnchor(superview->topAnchor()));
    superview = m_view->superview();
    if (superview)
        activate(m_view->leadingAnchor()->constraintEqualToAnchor(superview->leadingAnchor()));
    superview = m_view->superview();
    if (superview)
        activate(m_view->trailingAnchor()->constraintEqualToAnchor(superview->trailingAnchor()));
    superview = m_view->superview();
    if (superview)
        activate(m_view->bottomAnchor()->constraintEqualToAnchor(superview->bottomAnchor()));
}
