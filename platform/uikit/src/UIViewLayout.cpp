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

UIView* viewOf(id self) {
    return static_cast<UIView*>(self);
}

// Anchors are made on first use and kept by the view, one slot per attribute.
template <class Kind, NSLayoutAttribute Attribute, int Slot> rt::Ref<Kind> anchor(id self, SEL) {
    rt::Ref<NSLayoutAnchor>& slot = Access::state(viewOf(self)).anchors[Slot];
    if (!slot) {
        rt::Ref<Kind> made = rt::make<Kind>();
        made->_setItem(viewOf(self), Attribute);
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
    // Replaces the frame setter the property made: a frame given in code is a
    // change the constraints must see, and a new size lays the view out again.
    void (*setFrame)(id, SEL, const CGRect&) = +[](id self, SEL, const CGRect& frame) {
        UIView* view = viewOf(self);
        const CGRect old = view->m_frame;
        view->m_frame = frame;
        if (old == frame)
            return;
        if (!(old.size == frame.size))
            view->m_layout.needsLayout = true;
        // A view the solver leaves out cannot change its answer.
        if (!LayoutEngine::isApplyingSolution() && LayoutEngine::affectsSolve(view))
            view->_setNeedsConstraintSolve();
    };
    rt::replaceMethod(cls, rt::sel<"setFrame:">(), reinterpret_cast<IMP>(setFrame), typeid(setFrame));

    class_addMethod(cls, rt::sel<"leadingAnchor">(),
                    &anchor<NSLayoutXAxisAnchor, NSLayoutAttributeLeading, 0>);
    class_addMethod(cls, rt::sel<"trailingAnchor">(),
                    &anchor<NSLayoutXAxisAnchor, NSLayoutAttributeTrailing, 1>);
    class_addMethod(cls, rt::sel<"centerXAnchor">(),
                    &anchor<NSLayoutXAxisAnchor, NSLayoutAttributeCenterX, 2>);
    class_addMethod(cls, rt::sel<"topAnchor">(), &anchor<NSLayoutYAxisAnchor, NSLayoutAttributeTop, 3>);
    class_addMethod(cls, rt::sel<"bottomAnchor">(), &anchor<NSLayoutYAxisAnchor, NSLayoutAttributeBottom, 4>);
    class_addMethod(cls, rt::sel<"centerYAnchor">(),
                    &anchor<NSLayoutYAxisAnchor, NSLayoutAttributeCenterY, 5>);
    class_addMethod(cls, rt::sel<"widthAnchor">(), &anchor<NSLayoutDimension, NSLayoutAttributeWidth, 6>);
    class_addMethod(cls, rt::sel<"heightAnchor">(), &anchor<NSLayoutDimension, NSLayoutAttributeHeight, 7>);

    class_addMethod(
        cls, rt::sel<"translatesAutoresizingMaskIntoConstraints">(),
        +[](id self, SEL) { return Access::state(viewOf(self)).translatesAutoresizingMask; });
    class_addMethod(
        cls, rt::sel<"setTranslatesAutoresizingMaskIntoConstraints:">(), +[](id self, SEL, BOOL translates) {
            BOOL& current = Access::state(viewOf(self)).translatesAutoresizingMask;
            if (current == translates)
                return;
            current = translates;
            viewOf(self)->_setNeedsConstraintSolve();
        });
    class_addMethod(
        cls, rt::sel<"setNeedsLayout">(),
        +[](id self, SEL) { Access::state(viewOf(self)).needsLayout = true; });
    class_addMethod(
        cls, rt::sel<"layoutIfNeeded">(), +[](id self, SEL) { layoutPass(viewOf(self)); });
    class_addMethod(
        cls, rt::sel<"intrinsicContentSize">(), +[](id, SEL) {
            return CGSize{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
        });
    class_addMethod(
        cls, rt::sel<"invalidateIntrinsicContentSize">(), +[](id self, SEL) {
            if (LayoutEngine::affectsSolve(viewOf(self)))
                viewOf(self)->_setNeedsConstraintSolve();
        });
    class_addMethod(
        cls, rt::sel<"contentHuggingPriorityForAxis:">(), +[](id self, SEL, UILayoutConstraintAxis axis) {
            return Access::state(viewOf(self)).hugging[axisSlot(axis)];
        });
    class_addMethod(
        cls, rt::sel<"setContentHuggingPriority:forAxis:">(),
        +[](id self, SEL, UILayoutPriority priority, UILayoutConstraintAxis axis) {
            Access::state(viewOf(self)).hugging[axisSlot(axis)] = clampPriority(priority);
            viewOf(self)->_setNeedsConstraintSolve();
        });
    class_addMethod(
        cls, rt::sel<"contentCompressionResistancePriorityForAxis:">(),
        +[](id self, SEL, UILayoutConstraintAxis axis) {
            return Access::state(viewOf(self)).compression[axisSlot(axis)];
        });
    class_addMethod(
        cls, rt::sel<"setContentCompressionResistancePriority:forAxis:">(),
        +[](id self, SEL, UILayoutPriority priority, UILayoutConstraintAxis axis) {
            Access::state(viewOf(self)).compression[axisSlot(axis)] = clampPriority(priority);
            viewOf(self)->_setNeedsConstraintSolve();
        });
}

rt::Ref<NSLayoutXAxisAnchor> UIView::leadingAnchor() {
    return rt::send<rt::Ref<NSLayoutXAxisAnchor>()>(this, rt::sel<"leadingAnchor">());
}
rt::Ref<NSLayoutXAxisAnchor> UIView::trailingAnchor() {
    return rt::send<rt::Ref<NSLayoutXAxisAnchor>()>(this, rt::sel<"trailingAnchor">());
}
rt::Ref<NSLayoutXAxisAnchor> UIView::centerXAnchor() {
    return rt::send<rt::Ref<NSLayoutXAxisAnchor>()>(this, rt::sel<"centerXAnchor">());
}
rt::Ref<NSLayoutYAxisAnchor> UIView::topAnchor() {
    return rt::send<rt::Ref<NSLayoutYAxisAnchor>()>(this, rt::sel<"topAnchor">());
}
rt::Ref<NSLayoutYAxisAnchor> UIView::bottomAnchor() {
    return rt::send<rt::Ref<NSLayoutYAxisAnchor>()>(this, rt::sel<"bottomAnchor">());
}
rt::Ref<NSLayoutYAxisAnchor> UIView::centerYAnchor() {
    return rt::send<rt::Ref<NSLayoutYAxisAnchor>()>(this, rt::sel<"centerYAnchor">());
}
rt::Ref<NSLayoutDimension> UIView::widthAnchor() {
    return rt::send<rt::Ref<NSLayoutDimension>()>(this, rt::sel<"widthAnchor">());
}
rt::Ref<NSLayoutDimension> UIView::heightAnchor() {
    return rt::send<rt::Ref<NSLayoutDimension>()>(this, rt::sel<"heightAnchor">());
}

BOOL UIView::translatesAutoresizingMaskIntoConstraints() {
    return rt::send<BOOL()>(this, rt::sel<"translatesAutoresizingMaskIntoConstraints">());
}
void UIView::setTranslatesAutoresizingMaskIntoConstraints(BOOL translates) {
    rt::send<void(BOOL)>(this, rt::sel<"setTranslatesAutoresizingMaskIntoConstraints:">(), translates);
}

void UIView::setNeedsLayout() {
    rt::send<void()>(this, rt::sel<"setNeedsLayout">());
}
void UIView::layoutIfNeeded() {
    rt::send<void()>(this, rt::sel<"layoutIfNeeded">());
}

CGSize UIView::intrinsicContentSize() {
    return rt::send<CGSize()>(this, rt::sel<"intrinsicContentSize">());
}
void UIView::invalidateIntrinsicContentSize() {
    rt::send<void()>(this, rt::sel<"invalidateIntrinsicContentSize">());
}

UILayoutPriority UIView::contentHuggingPriorityForAxis(UILayoutConstraintAxis axis) {
    return rt::send<UILayoutPriority(UILayoutConstraintAxis)>(
        this, rt::sel<"contentHuggingPriorityForAxis:">(), axis);
}
void UIView::setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    rt::send<void(UILayoutPriority, UILayoutConstraintAxis)>(
        this, rt::sel<"setContentHuggingPriority:forAxis:">(), priority, axis);
}
UILayoutPriority UIView::contentCompressionResistancePriorityForAxis(UILayoutConstraintAxis axis) {
    return rt::send<UILayoutPriority(UILayoutConstraintAxis)>(
        this, rt::sel<"contentCompressionResistancePriorityForAxis:">(), axis);
}
void UIView::setContentCompressionResistancePriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    rt::send<void(UILayoutPriority, UILayoutConstraintAxis)>(
        this, rt::sel<"setContentCompressionResistancePriority:forAxis:">(), priority, axis);
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
