#pragma once
// The constraint side of the layout pass, private to this library.
#include <UIKit/UIView.h>
#include <UIKit/UIViewController.h>

// A view's layout state, for the layout code of this library.
struct UIViewLayoutAccess {
    static UIView::LayoutState& state(UIView* view) { return view->m_layout; }
    static rt::Ref<UIViewController> controllerOf(UIView* view) { return view->m_viewDelegate.lock(); }
};

namespace uikit {

// Solves a hierarchy's active constraints with the platform's solver, which
// the top view keeps between solves and changes by what changed since: every
// view that constraints place, that a constraint names, or that holds one of
// those, is four variables (its edges in the coordinates of the hierarchy's
// top view); other views cannot change an answer and stay out. A view that
// translates its frame keeps it as required constraints; one that does not
// takes what its constraints, its intrinsic size (hugging and compression
// resistance) and, weakest of all, its current frame give it. A required
// constraint that conflicts with those before it is logged and broken: it
// stays active but is left out until it is switched on again. A conflict met
// while changing the kept solver builds it again from scratch, so which
// constraint breaks follows activation order as in a fresh solve.
class LayoutEngine {
  public:
    // Solves the hierarchy under `top` and sets the frames of the views that
    // constraints place. Nothing happens in a hierarchy without constraints
    // or views placed by them.
    static void solve(UIView* top);
    // Whether a change to this view's frame or intrinsic size may change the
    // answer of its hierarchy's solver.
    static bool affectsSolve(UIView* view);

    // True while solve() writes frames: those writes are answers, not changes.
    static bool isApplyingSolution();
    // The top view of the hierarchy `view` is in.
    static UIView* topView(UIView* view);
};

} // namespace uikit
