// UIView's auto layout: anchors, the constraints a view owns, intrinsic size
// and the layout pass.
#include <UIKit/UIView.h>

#include "LayoutEngine.h"

#include <UIKit/UIViewController.h>
#include <objc/message.h>

#include <algorithm>
#include <cmath>

namespace {

using Access = UIViewLayoutAccess;
using uikit::LayoutEngine;

// A layoutSubviews that keeps asking for another pass is cut off here.
constexpr int kMaxLayoutRounds = 16;

// Anchors are made on first use and kept by the view, one slot per attribute.
template <class Kind, NSLayoutAttribute Attribute, int Slot> rt::Ref<Kind> anchor(UIView* view) {
    rt::Ref<NSLayoutAnchor>& slot = Access::state(view).anchors[Slot];
    if (!slot) {
        rt::Ref<Kind> made = rt::make<Kind>();
        made->_setItem(view, Attribute);
        slot = made;
    }
    return rt::Ref<Kind>(static_cast<Kind*>(slot.get()));
}

bool needsLayoutBelow(UIView* view) {
    if (Access::state(view).needsLayout)
        return true;
    for (const rt::Ref<UIView>& subview : view->subviews())
        if (needsLayoutBelow(subview))
            return true;
    return false;
}

void solveIfNeeded(UIView* top) {
    bool& needsSolve = Access::state(top).needsSolve;
    if (!needsSolve)
        return;
    needsSolve = false;
    LayoutEngine::solve(top);
}

// Top-down: frames from the constraints first, then the view's own layout,
// which may move subviews and so ask for another solve before they are visited.
void layoutBranch(UIView* top, UIView* view) {
    rt::Ref<UIView> keep(view);
    solveIfNeeded(top);
    if (Access::state(view).needsLayout) {
        Access::state(view).needsLayout = false;
        rt::Ref<UIViewController> controller = Access::controllerOf(view);
        if (controller)
            controller->viewWillLayoutSubviews();
        view->layoutSubviews();
        solveIfNeeded(top);
        if (controller) {
            controller->viewDidLayoutSubviews();
            solveIfNeeded(top);
        }
    }
    const std::vector<rt::Ref<UIView>> subviews = view->subviews();
    for (const rt::Ref<UIView>& subview : subviews)
        if (subview->superview().get() == view)
            layoutBranch(top, subview);
}

void layoutPass(UIView* start) {
    rt::Ref<UIView> top(LayoutEngine::topView(start));
    for (int round = 0; round < kMaxLayoutRounds; ++round) {
        if (!Access::state(top).needsSolve && !needsLayoutBelow(top))
            return;
        layoutBranch(top, top);
    }
}

UILayoutPriority clampPriority(UILayoutPriority priority) {
    return std::isnan(priority) ? 0 : std::clamp<UILayoutPriority>(priority, 0, UILayoutPriorityRequired);
}

int axisSlot(UILayoutConstraintAxis axis) {
    return axis == UILayoutConstraintAxisVertical ? 1 : 0;
}

} // namespace

void UIView::registerLayoutMethods(Class cls) {
    // A frame given in code is a change the constraints must see.
    auto* setFrame = &rt::Implementation<UIView, setFrameMethod, &UIView::setFrameImpl>::call;
    rt::replaceMethod(cls, setFrameMethod::selector(), reinterpret_cast<IMP>(setFrame), typeid(setFrame));
}

void UIView::setFrameImpl(const CGRect& frame) {
    const CGRect old = m_frame;
    m_frame = frame;
    if (old == frame)
        return;
    if (!(old.size == frame.size)) // a new size lays the view out again
        m_layout.needsLayout = true;
    // A view the solver leaves out cannot change its answer.
    if (!LayoutEngine::isApplyingSolution() && LayoutEngine::affectsSolve(this))
        _setNeedsConstraintSolve();
}

rt::Ref<NSLayoutXAxisAnchor> UIView::leadingAnchorImpl() {
    return anchor<NSLayoutXAxisAnchor, NSLayoutAttributeLeading, 0>(this);
}
rt::Ref<NSLayoutXAxisAnchor> UIView::trailingAnchorImpl() {
    return anchor<NSLayoutXAxisAnchor, NSLayoutAttributeTrailing, 1>(this);
}
rt::Ref<NSLayoutXAxisAnchor> UIView::centerXAnchorImpl() {
    return anchor<NSLayoutXAxisAnchor, NSLayoutAttributeCenterX, 2>(this);
}
rt::Ref<NSLayoutYAxisAnchor> UIView::topAnchorImpl() {
    return anchor<NSLayoutYAxisAnchor, NSLayoutAttributeTop, 3>(this);
}
rt::Ref<NSLayoutYAxisAnchor> UIView::bottomAnchorImpl() {
    return anchor<NSLayoutYAxisAnchor, NSLayoutAttributeBottom, 4>(this);
}
rt::Ref<NSLayoutYAxisAnchor> UIView::centerYAnchorImpl() {
    return anchor<NSLayoutYAxisAnchor, NSLayoutAttributeCenterY, 5>(this);
}
rt::Ref<NSLayoutDimension> UIView::widthAnchorImpl() {
    return anchor<NSLayoutDimension, NSLayoutAttributeWidth, 6>(this);
}
rt::Ref<NSLayoutDimension> UIView::heightAnchorImpl() {
    return anchor<NSLayoutDimension, NSLayoutAttributeHeight, 7>(this);
}

BOOL UIView::translatesAutoresizingMaskIntoConstraintsImpl() {
    return m_layout.translatesAutoresizingMask;
}
void UIView::setTranslatesAutoresizingMaskIntoConstraintsImpl(BOOL translates) {
    if (m_layout.translatesAutoresizingMask == translates)
        return;
    m_layout.translatesAutoresizingMask = translates;
    _setNeedsConstraintSolve();
}

void UIView::setNeedsLayoutImpl() {
    m_layout.needsLayout = true;
}
void UIView::layoutIfNeededImpl() {
    layoutPass(this);
}

CGSize UIView::intrinsicContentSizeImpl() {
    return CGSize{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}
void UIView::invalidateIntrinsicContentSizeImpl() {
    if (LayoutEngine::affectsSolve(this))
        _setNeedsConstraintSolve();
}

UILayoutPriority UIView::contentHuggingPriorityForAxisImpl(UILayoutConstraintAxis axis) {
    return m_layout.hugging[axisSlot(axis)];
}
void UIView::setContentHuggingPriorityImpl(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    m_layout.hugging[axisSlot(axis)] = clampPriority(priority);
    _setNeedsConstraintSolve();
}
UILayoutPriority UIView::contentCompressionResistancePriorityForAxisImpl(UILayoutConstraintAxis axis) {
    return m_layout.compression[axisSlot(axis)];
}
void UIView::setContentCompressionResistancePriorityImpl(UILayoutPriority priority,
                                                         UILayoutConstraintAxis axis) {
    m_layout.compression[axisSlot(axis)] = clampPriority(priority);
    _setNeedsConstraintSolve();
}

void UIView::_setNeedsConstraintSolve() {
    Access::state(LayoutEngine::topView(this)).needsSolve = true;
}

void UIView::_didJoinSuperview() {
    m_layout.needsLayout = true;
    m_layout.solver.reset(); // no longer the top of a hierarchy
    if (rt::Ref<UIView> superview = this->superview())
        superview->m_layout.needsLayout = true;
    _setNeedsConstraintSolve();
}

// Constraints owned above the subtree that name a view inside it tie the
// subtree to what it leaves; they end with the move, as on the device.
void UIView::_willLeaveSuperview(UIView* oldSuperview) {
    if (!oldSuperview)
        return;
    for (rt::Ref<UIView> owner(oldSuperview); owner; owner = owner->superview()) {
        const std::vector<rt::Ref<NSLayoutConstraint>> owned = owner->m_layout.constraints;
        for (const rt::Ref<NSLayoutConstraint>& constraint : owned) {
            rt::Ref<UIView> first = constraint->firstItem();
            rt::Ref<UIView> second = constraint->secondItem();
            if ((first && first->isDescendantOfView(this)) || (second && second->isDescendantOfView(this)))
                constraint->setActive(NO);
        }
    }
    oldSuperview->m_layout.needsLayout = true;
    oldSuperview->_setNeedsConstraintSolve();
    m_layout.needsSolve = true; // the subtree is a hierarchy of its own until it joins another
}

void UIView::_addActiveConstraint(NSLayoutConstraint* constraint) {
    m_layout.constraints.emplace_back(constraint);
    m_layout.needsLayout = true;
    _setNeedsConstraintSolve();
}

void UIView::_removeActiveConstraint(NSLayoutConstraint* constraint) {
    std::erase_if(m_layout.constraints, [constraint](const rt::Ref<NSLayoutConstraint>& owned) {
        return owned.get() == constraint;
    });
    m_layout.needsLayout = true;
    _setNeedsConstraintSolve();
}
