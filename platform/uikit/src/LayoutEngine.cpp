#include "LayoutEngine.h"

#include <Foundation/NSLog.h>
#include <Layout/Solver.h>
#include <Layout/Symbolics.h>
#include <UIKit/LayoutStatistics.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace uikit {

namespace {

// Frames land on the pixel grid of a three-times screen.
constexpr double kPixelsPerPoint = 3;
// A view's current frame holds where nothing else decides; weaker than any
// priority a constraint can have, so it only settles what is left open.
constexpr double kFrameStay = 0.001;

bool g_applying = false;
size_t g_solversBuilt = 0;
size_t g_constraintsAdded = 0;

double toPixel(double value) {
    const double rounded = std::round(value * kPixelsPerPoint) / kPixelsPerPoint;
    return rounded == 0 ? 0.0 : rounded; // no -0 in a frame
}

std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// One view in the solver: its four edges and the constraints made for it.
struct Node {
    UIView* view;
    rt::Ref<UIView> keep; // null for the top view, which owns this solver
    UIView* parent;       // null for the top view
    bool translates;
    CGRect frame; // what its frame constraints hold
    CGSize intrinsic;
    UILayoutPriority priorities[4];
    layout::Variable x, y, width, height;
    std::vector<layout::Constraint> frameConstraints;
    std::vector<layout::Constraint> sizeConstraints;
};

// One view constraint in the solver, with what it was made from.
struct Placed {
    rt::Ref<NSLayoutConstraint> owner;
    layout::Constraint made;
    CGFloat constant;
    CGFloat multiplier;
    UILayoutPriority priority;
};

// One solver constraint and what it stands for, to name it in the log.
struct Entry {
    layout::Constraint constraint;
    std::string description;
    std::vector<const UIView*> views;
};

// What a walk of the hierarchy finds: the views the solver needs, parents
// before children, and the active constraints.
struct Walk {
    std::vector<std::pair<UIView*, UIView*>> views; // view and parent
    std::vector<rt::Ref<NSLayoutConstraint>> constraints;
    bool placesAny = false; // a view that constraints place or name
};

class WindowSolver {
  public:
    bool contains(const UIView* view) const { return m_nodes.contains(view); }

    void solve(UIView* top) {
        Walk walk = this->walk(top);
        if (!walk.placesAny && m_nodes.empty())
            return; // nothing that constraints place
        if (!m_built || !update(walk))
            rebuild(walk);
        m_solver.updateVariables();
        apply(walk);
    }

  private:
    Walk walk(UIView* top) {
        std::vector<UIView*> placed; // views that constraints place or name
        std::vector<rt::Ref<NSLayoutConstraint>> constraints;
        collect(top, top, placed, constraints);
        std::unordered_set<const UIView*> needed{top};
        for (UIView* view : placed)
            for (UIView* above = view; above && needed.insert(above).second;
                 above = above->superview().get()) {
            }
        Walk walk;
        walk.placesAny = !placed.empty();
        walk.constraints = std::move(constraints);
        order(top, nullptr, needed, walk.views);
        return walk;
    }

    static void collect(UIView* top, UIView* view, std::vector<UIView*>& placed,
                        std::vector<rt::Ref<NSLayoutConstraint>>& constraints) {
        if (view->translatesAutoresizingMaskIntoConstraints() != YES)
            placed.push_back(view);
        for (const rt::Ref<NSLayoutConstraint>& constraint : view->constraints()) {
            if (constraint->isBroken())
                continue;
            rt::Ref<UIView> first = constraint->firstItem();
            rt::Ref<UIView> second = constraint->secondItem();
            if (!first || LayoutEngine::topView(first) != top ||
                (second && LayoutEngine::topView(second) != top))
                continue; // a view it names has gone
            placed.push_back(first.get());
            if (second)
                placed.push_back(second.get());
            constraints.push_back(constraint);
        }
        for (const rt::Ref<UIView>& subview : view->subviews())
            collect(top, subview.get(), placed, constraints);
    }

    static void order(UIView* view, UIView* parent, const std::unordered_set<const UIView*>& needed,
                      std::vector<std::pair<UIView*, UIView*>>& views) {
        views.emplace_back(view, parent);
        for (const rt::Ref<UIView>& subview : view->subviews())
            if (needed.contains(subview.get()))
                order(subview.get(), view, needed, views);
    }

    // From scratch: frames first, then the view constraints in activation order.
    void rebuild(const Walk& walk) {
        ++g_solversBuilt;
        m_solver.reset();
        m_nodes.clear();
        m_placed.clear();
        m_required.clear();
        m_built = true;
        for (const auto& [view, parent] : walk.views) {
            Node& node = makeNode(view, parent);
            (void)addFrameConstraints(node, true);
            (void)addSizeConstraints(node, true);
        }
        std::vector<rt::Ref<NSLayoutConstraint>> constraints = walk.constraints;
        std::ranges::stable_sort(constraints, {}, &NSLayoutConstraint::activationOrder);
        for (const rt::Ref<NSLayoutConstraint>& constraint : constraints)
            (void)addViewConstraint(constraint, true);
    }

    // The kept solver changed by what changed since the last solve; false if
    // a change conflicts, the solver then half changed.
    bool update(const Walk& walk) {
        std::unordered_set<const NSLayoutConstraint*> active;
        for (const rt::Ref<NSLayoutConstraint>& constraint : walk.constraints)
            active.insert(constraint.get());
        for (auto it = m_placed.begin(); it != m_placed.end();) {
            const Placed& placed = it->second;
            NSLayoutConstraint* owner = placed.owner.get();
            if (active.contains(owner) && placed.constant == owner->constant() &&
                placed.multiplier == owner->multiplier() && placed.priority == owner->priority()) {
                ++it;
                continue;
            }
            remove(placed.made);
            it = m_placed.erase(it);
        }
        std::unordered_set<const UIView*> present;
        for (const auto& [view, parent] : walk.views)
            present.insert(view);
        for (auto it = m_nodes.begin(); it != m_nodes.end();) {
            if (present.contains(it->first)) {
                ++it;
                continue;
            }
            removeAll(it->second.frameConstraints);
            removeAll(it->second.sizeConstraints);
            it = m_nodes.erase(it);
        }
        for (const auto& [view, parent] : walk.views) {
            auto found = m_nodes.find(view);
            if (found == m_nodes.end()) {
                Node& node = makeNode(view, parent);
                if (!addFrameConstraints(node, false) || !addSizeConstraints(node, false))
                    return false;
                continue;
            }
            Node& node = found->second;
            const bool translates = view->translatesAutoresizingMaskIntoConstraints() == YES;
            if (node.parent != parent || node.translates != translates || !(node.frame == view->frame())) {
                removeAll(node.frameConstraints);
                node.parent = parent;
                node.translates = translates;
                node.frame = view->frame();
                if (!addFrameConstraints(node, false))
                    return false;
            }
            if (sizeChanged(node)) {
                removeAll(node.sizeConstraints);
                if (!addSizeConstraints(node, false))
                    return false;
            }
        }
        std::vector<rt::Ref<NSLayoutConstraint>> added;
        for (const rt::Ref<NSLayoutConstraint>& constraint : walk.constraints)
            if (!m_placed.contains(constraint.get()))
                added.push_back(constraint);
        std::ranges::stable_sort(added, {}, &NSLayoutConstraint::activationOrder);
        for (const rt::Ref<NSLayoutConstraint>& constraint : added)
            if (!addViewConstraint(constraint, false))
                return false;
        return true;
    }

    Node& makeNode(UIView* view, UIView* parent) {
        Node node{view,
                  parent ? rt::Ref<UIView>(view) : rt::Ref<UIView>(),
                  parent,
                  view->translatesAutoresizingMaskIntoConstraints() == YES,
                  view->frame(),
                  {},
                  {},
                  {},
                  {},
                  {},
                  {},
                  {},
                  {}};
        return m_nodes.insert_or_assign(view, std::move(node)).first->second;
    }

    const Node& nodeOf(const UIView* view) const { return m_nodes.at(view); }

    static layout::Expression edge(const Node& node, NSLayoutAttribute attribute) {
        switch (attribute) {
        case NSLayoutAttributeLeading:
            return node.x;
        case NSLayoutAttributeTrailing:
            return node.x + node.width;
        case NSLayoutAttributeCenterX:
            return node.x + 0.5 * node.width;
        case NSLayoutAttributeTop:
            return node.y;
        case NSLayoutAttributeBottom:
            return node.y + node.height;
        case NSLayoutAttributeCenterY:
            return node.y + 0.5 * node.height;
        case NSLayoutAttributeWidth:
            return node.width;
        case NSLayoutAttributeHeight:
            return node.height;
        default:
            return 0.0;
        }
    }

    // A frame given in code is required; one left to constraints only holds
    // what they leave open. The top view sits at the origin.
    bool addFrameConstraints(Node& node, bool fresh) {
        const Node* parent = node.parent ? &nodeOf(node.parent) : nullptr;
        const layout::Expression left = parent ? node.x - parent->x : layout::Expression(node.x);
        const layout::Expression top = parent ? node.y - parent->y : layout::Expression(node.y);
        const std::string name = NSLayoutConstraint::_itemName(node.view);
        bool ok = true;
        auto autoresizing = [&](const layout::Expression& expression, double value, const char* what) {
            ok =
                add(expression == value, nullptr,
                    "<NSAutoresizingMaskLayoutConstraint " + name + "." + what + " == " + number(value) + ">",
                    {node.view}, node.frameConstraints, fresh) &&
                ok;
        };
        if (!parent) {
            autoresizing(node.x, 0, "minX");
            autoresizing(node.y, 0, "minY");
        }
        if (node.translates) {
            if (parent) {
                autoresizing(left, node.frame.origin.x, "minX");
                autoresizing(top, node.frame.origin.y, "minY");
            }
            autoresizing(node.width, node.frame.size.width, "width");
            autoresizing(node.height, node.frame.size.height, "height");
            return ok;
        }
        auto stay = [&](const layout::Constraint& constraint) {
            if (m_solver.addConstraint(constraint).ok()) {
                ++g_constraintsAdded;
                node.frameConstraints.push_back(constraint);
            }
        };
        if (parent) {
            stay((left == node.frame.origin.x) | kFrameStay);
            stay((top == node.frame.origin.y) | kFrameStay);
        }
        stay((layout::Expression(node.width) == node.frame.size.width) | kFrameStay);
        stay((layout::Expression(node.height) == node.frame.size.height) | kFrameStay);
        return ok;
    }

    bool sizeChanged(Node& node) {
        if (node.translates)
            return !node.sizeConstraints.empty();
        UIView* view = node.view;
        const CGSize size = view->intrinsicContentSize();
        const UILayoutPriority priorities[4] = {
            view->contentCompressionResistancePriorityForAxis(UILayoutConstraintAxisHorizontal),
            view->contentHuggingPriorityForAxis(UILayoutConstraintAxisHorizontal),
            view->contentCompressionResistancePriorityForAxis(UILayoutConstraintAxisVertical),
            view->contentHuggingPriorityForAxis(UILayoutConstraintAxisVertical)};
        auto same = [](CGFloat a, CGFloat b) { return a == b || (std::isnan(a) && std::isnan(b)); };
        return !same(size.width, node.intrinsic.width) || !same(size.height, node.intrinsic.height) ||
               !std::equal(std::begin(priorities), std::end(priorities), std::begin(node.priorities));
    }

    bool addSizeConstraints(Node& node, bool fresh) {
        if (node.translates)
            return true;
        const CGSize size = node.view->intrinsicContentSize();
        node.intrinsic = size;
        bool ok = true;
        auto axis = [&](const layout::Variable& variable, CGFloat value, UILayoutConstraintAxis which,
                        const char* what, UILayoutPriority* slots) {
            const UILayoutPriority compression =
                node.view->contentCompressionResistancePriorityForAxis(which);
            const UILayoutPriority hugging = node.view->contentHuggingPriorityForAxis(which);
            slots[0] = compression;
            slots[1] = hugging;
            if (value == UIViewNoIntrinsicMetric || !std::isfinite(value) || value < 0)
                return;
            const std::string name = NSLayoutConstraint::_itemName(node.view) + "." + what;
            ok = add((layout::Expression(variable) >= value) | compression, nullptr,
                     "<NSContentSizeLayoutConstraint " + name + " >= " + number(value) +
                         " (compression resistance " + number(compression) + ")>",
                     {node.view}, node.sizeConstraints, fresh) &&
                 ok;
            ok = add((layout::Expression(variable) <= value) | hugging, nullptr,
                     "<NSContentSizeLayoutConstraint " + name + " <= " + number(value) + " (hugging " +
                         number(hugging) + ")>",
                     {node.view}, node.sizeConstraints, fresh) &&
                 ok;
        };
        axis(node.width, size.width, UILayoutConstraintAxisHorizontal, "width", node.priorities);
        axis(node.height, size.height, UILayoutConstraintAxisVertical, "height", node.priorities + 2);
        return ok;
    }

    bool addViewConstraint(NSLayoutConstraint* constraint, bool fresh) {
        rt::Ref<UIView> firstView = constraint->firstItem();
        rt::Ref<UIView> secondView = constraint->secondItem();
        const Node& first = nodeOf(firstView);
        const Node* second = secondView ? &nodeOf(secondView) : nullptr;
        if (!std::isfinite(constraint->constant()) || !std::isfinite(constraint->multiplier())) {
            if (!fresh)
                return false;
            // Not a number would poison every value solved with it.
            NSLog("[LayoutConstraints] Constraint left out (its constant is not a number): " +
                  constraint->description());
            constraint->markBroken();
            return true;
        }
        const layout::Expression lhs = edge(first, constraint->firstAttribute());
        const layout::Expression rhs =
            second ? edge(*second, constraint->secondAttribute()) * constraint->multiplier() +
                         constraint->constant()
                   : layout::Expression(constraint->constant());
        layout::Constraint made = constraint->relation() == NSLayoutRelationEqual             ? (lhs == rhs)
                                  : constraint->relation() == NSLayoutRelationLessThanOrEqual ? (lhs <= rhs)
                                                                                              : (lhs >= rhs);
        made = made | static_cast<double>(constraint->priority());
        std::vector<const UIView*> views{firstView.get()};
        if (secondView)
            views.push_back(secondView.get());
        std::vector<layout::Constraint> into;
        if (!add(made, constraint, constraint->description(), std::move(views), into, fresh))
            return false;
        if (!into.empty())
            m_placed.insert_or_assign(constraint, Placed{rt::Ref<NSLayoutConstraint>(constraint), made,
                                                         constraint->constant(), constraint->multiplier(),
                                                         constraint->priority()});
        return true;
    }

    // Adds one constraint. Outside a fresh build a refusal answers false and
    // logs nothing: the build from scratch that follows reports it.
    bool add(const layout::Constraint& constraint, NSLayoutConstraint* owner, std::string description,
             std::vector<const UIView*> views, std::vector<layout::Constraint>& into, bool fresh) {
        layout::Status status = m_solver.addConstraint(constraint);
        ++g_constraintsAdded;
        Entry entry{constraint, std::move(description), std::move(views)};
        if (status.ok()) {
            into.push_back(constraint);
            if (constraint.isRequired())
                m_required.push_back(std::move(entry));
            return true;
        }
        if (!fresh)
            return false;
        if (status.error().kind() == layout::ErrorKind::UnsatisfiableConstraint)
            logConflict(entry);
        else
            NSLog("[LayoutConstraints] Constraint left out (" + status.error().message() +
                  "): " + entry.description);
        if (owner)
            owner->markBroken();
        return true;
    }

    void remove(const layout::Constraint& constraint) {
        (void)m_solver.removeConstraint(constraint);
        if (constraint.isRequired())
            std::erase_if(m_required,
                          [&](const Entry& entry) { return entry.constraint.sameAs(constraint); });
    }

    void removeAll(std::vector<layout::Constraint>& constraints) {
        for (const layout::Constraint& constraint : constraints)
            remove(constraint);
        constraints.clear();
    }

    // The device's report, one log line per line: the required constraints on
    // the same views, then the one given up.
    void logConflict(const Entry& refused) {
        NSLog("[LayoutConstraints] Unable to simultaneously satisfy constraints.");
        NSLog("\tProbably at least one of the constraints in the following list is one you don't want.");
        NSLog("(");
        for (const Entry& entry : m_required)
            if (std::ranges::any_of(
                    entry.views, [&](const UIView* view) { return std::ranges::count(refused.views, view); }))
                NSLog("    \"" + entry.description + "\",");
        NSLog("    \"" + refused.description + "\"");
        NSLog(")");
        NSLog("Will attempt to recover by breaking constraint");
        NSLog(refused.description);
    }

    void apply(const Walk& walk) {
        g_applying = true;
        for (const auto& [view, parentView] : walk.views) {
            Node& node = m_nodes.at(view);
            if (node.translates)
                continue;
            const Node* parent = parentView ? &nodeOf(parentView) : nullptr;
            const double originX = parent ? parent->x.value() : 0;
            const double originY = parent ? parent->y.value() : 0;
            const double left = toPixel(node.x.value() - originX);
            const double top = toPixel(node.y.value() - originY);
            const double right = toPixel(node.x.value() + node.width.value() - originX);
            const double bottom = toPixel(node.y.value() + node.height.value() - originY);
            if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) ||
                !std::isfinite(bottom))
                continue;
            CGRect frame = CGRectMake(left, top, right - left, bottom - top);
            if (!parent)
                frame.origin = view->frame().origin; // the top view is only sized
            if (!(frame == view->frame()))
                view->setFrame(frame);
            if (!(node.frame == view->frame())) {
                // The answer is the frame now: the weakest hold moves to it, as
                // a solve from scratch would start from it.
                removeAll(node.frameConstraints);
                node.frame = view->frame();
                (void)addFrameConstraints(node, false);
            }
        }
        g_applying = false;
    }

    bool m_built = false;
    layout::Solver m_solver;
    std::unordered_map<const UIView*, Node> m_nodes;
    std::unordered_map<const NSLayoutConstraint*, Placed> m_placed;
    std::vector<Entry> m_required;
};

WindowSolver* solverOf(UIView* top, bool make) {
    std::shared_ptr<void>& slot = UIViewLayoutAccess::state(top).solver;
    if (!slot && make)
        slot = std::make_shared<WindowSolver>();
    return static_cast<WindowSolver*>(slot.get());
}

} // namespace

void LayoutEngine::solve(UIView* top) {
    rt::Ref<UIView> keep(top);
    solverOf(top, true)->solve(top);
}

bool LayoutEngine::affectsSolve(UIView* view) {
    UIView* top = topView(view);
    WindowSolver* solver = solverOf(top, false);
    return !solver || solver->contains(view);
}

size_t LayoutStatistics::solversBuilt() {
    return g_solversBuilt;
}

size_t LayoutStatistics::constraintsAdded() {
    return g_constraintsAdded;
}

bool LayoutEngine::isApplyingSolution() {
    return g_applying;
}

UIView* LayoutEngine::topView(UIView* view) {
    UIView* top = view;
    while (rt::Ref<UIView> superview = top->superview())
        top = superview.get();
    return top;
}

} // namespace uikit
