#include "LayoutEngine.h"

#include <Foundation/NSLog.h>
#include <Layout/Solver.h>
#include <Layout/Symbolics.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_map>

namespace uikit {

namespace {

// Frames land on the pixel grid of a three-times screen.
constexpr double kPixelsPerPoint = 3;
// A view's current frame holds where nothing else decides; weaker than any
// priority a constraint can have, so it only settles what is left open.
constexpr double kFrameStay = 0.001;

bool g_applying = false;

double toPixel(double value) {
    const double rounded = std::round(value * kPixelsPerPoint) / kPixelsPerPoint;
    return rounded == 0 ? 0.0 : rounded; // no -0 in a frame
}

std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

struct Node {
    rt::Ref<UIView> view;
    int parent; // -1 for the top view
    bool translates;
    CGRect frame;
    layout::Variable x, y, width, height;
};

// One solver constraint and what it stands for, to name it in the log.
struct Entry {
    layout::Constraint constraint;
    NSLayoutConstraint* owner; // null for those the pass makes itself
    std::string description;
    std::vector<const UIView*> views;
};

class Solve {
  public:
    explicit Solve(UIView* top) { collect(top, -1); }

    // Constraints to solve, or views that constraints place.
    bool needed() const {
        return !m_constraints.empty() ||
               std::ranges::any_of(m_nodes, [](const Node& node) { return !node.translates; });
    }

    void run() {
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            addFrameConstraints(m_nodes[i]);
        std::ranges::stable_sort(m_constraints, {}, &NSLayoutConstraint::activationOrder);
        for (const rt::Ref<NSLayoutConstraint>& constraint : m_constraints)
            addViewConstraint(constraint);
        m_solver.updateVariables();
        apply();
    }

  private:
    void collect(UIView* view, int parent) {
        const int index = static_cast<int>(m_nodes.size());
        m_nodes.push_back(Node{rt::Ref<UIView>(view),
                               parent,
                               view->translatesAutoresizingMaskIntoConstraints() == YES,
                               view->frame(),
                               {},
                               {},
                               {},
                               {}});
        m_index[view] = index;
        for (const rt::Ref<NSLayoutConstraint>& constraint : view->constraints())
            if (!constraint->isBroken())
                m_constraints.push_back(constraint);
        for (const rt::Ref<UIView>& subview : view->subviews())
            collect(subview.get(), index);
    }

    const Node* nodeOf(const UIView* view) const {
        auto found = m_index.find(view);
        return found == m_index.end() ? nullptr : &m_nodes[found->second];
    }

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
    void addFrameConstraints(const Node& node) {
        const Node* parent = node.parent >= 0 ? &m_nodes[node.parent] : nullptr;
        const layout::Expression left = parent ? node.x - parent->x : layout::Expression(node.x);
        const layout::Expression top = parent ? node.y - parent->y : layout::Expression(node.y);
        const std::string name = NSLayoutConstraint::_itemName(node.view);
        auto autoresizing = [&](const layout::Expression& expression, double value, const char* what) {
            add(expression == value, nullptr,
                "<NSAutoresizingMaskLayoutConstraint " + name + "." + what + " == " + number(value) + ">",
                {node.view});
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
            return;
        }
        if (parent) {
            (void)m_solver.addConstraint((left == node.frame.origin.x) | kFrameStay);
            (void)m_solver.addConstraint((top == node.frame.origin.y) | kFrameStay);
        }
        (void)m_solver.addConstraint((layout::Expression(node.width) == node.frame.size.width) | kFrameStay);
        (void)m_solver.addConstraint((layout::Expression(node.height) == node.frame.size.height) |
                                     kFrameStay);
        addContentSize(node);
    }

    void addContentSize(const Node& node) {
        const CGSize size = node.view->intrinsicContentSize();
        auto axis = [&](const layout::Variable& variable, CGFloat value, UILayoutConstraintAxis which,
                        const char* what) {
            if (value == UIViewNoIntrinsicMetric || !std::isfinite(value) || value < 0)
                return;
            const UILayoutPriority compression =
                node.view->contentCompressionResistancePriorityForAxis(which);
            const UILayoutPriority hugging = node.view->contentHuggingPriorityForAxis(which);
            const std::string name = NSLayoutConstraint::_itemName(node.view) + "." + what;
            add((layout::Expression(variable) >= value) | compression, nullptr,
                "<NSContentSizeLayoutConstraint " + name + " >= " + number(value) +
                    " (compression resistance " + number(compression) + ")>",
                {node.view});
            add((layout::Expression(variable) <= value) | hugging, nullptr,
                "<NSContentSizeLayoutConstraint " + name + " <= " + number(value) + " (hugging " +
                    number(hugging) + ")>",
                {node.view});
        };
        axis(node.width, size.width, UILayoutConstraintAxisHorizontal, "width");
        axis(node.height, size.height, UILayoutConstraintAxisVertical, "height");
    }

    void addViewConstraint(NSLayoutConstraint* constraint) {
        rt::Ref<UIView> firstView = constraint->firstItem();
        rt::Ref<UIView> secondView = constraint->secondItem();
        const Node* first = nodeOf(firstView);
        const Node* second = secondView ? nodeOf(secondView) : nullptr;
        if (!first || (secondView && !second))
            return; // a view it names has gone
        if (!std::isfinite(constraint->constant()) || !std::isfinite(constraint->multiplier())) {
            // Not a number would poison every value solved with it.
            NSLog("[LayoutConstraints] Constraint left out (its constant is not a number): " +
                  constraint->description());
            constraint->markBroken();
            return;
        }
        const layout::Expression lhs = edge(*first, constraint->firstAttribute());
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
        add(made, constraint, constraint->description(), std::move(views));
    }

    void add(const layout::Constraint& constraint, NSLayoutConstraint* owner, std::string description,
             std::vector<const UIView*> views) {
        layout::Status status = m_solver.addConstraint(constraint);
        Entry entry{constraint, owner, std::move(description), std::move(views)};
        if (status.ok()) {
            if (constraint.isRequired())
                m_required.push_back(std::move(entry));
            return;
        }
        if (status.error().kind() == layout::ErrorKind::UnsatisfiableConstraint)
            logConflict(entry);
        else
            NSLog("[LayoutConstraints] Constraint left out (" + status.error().message() +
                  "): " + entry.description);
        if (owner)
            owner->markBroken();
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

    void apply() {
        g_applying = true;
        for (const Node& node : m_nodes) {
            if (node.translates)
                continue;
            const Node* parent = node.parent >= 0 ? &m_nodes[node.parent] : nullptr;
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
                frame.origin = node.frame.origin; // the top view is only sized
            if (!(frame == node.view->frame()))
                node.view->setFrame(frame);
        }
        g_applying = false;
    }

    std::vector<Node> m_nodes;
    std::unordered_map<const UIView*, int> m_index;
    std::vector<rt::Ref<NSLayoutConstraint>> m_constraints;
    std::vector<Entry> m_required;
    layout::Solver m_solver;
};

} // namespace

void LayoutEngine::solve(UIView* top) {
    Solve solve(top);
    if (solve.needed())
        solve.run();
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
