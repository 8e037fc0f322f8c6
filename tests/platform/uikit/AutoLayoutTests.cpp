#include <UIKit/LayoutStatistics.h>
#include <UIKit/UILabel.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The layout log, as a test reads it: NSLog echoes to stderr when asked.
class LayoutLog {
  public:
    LayoutLog() {
        setenv("SIMDEVICE_LOG_STDERR", "1", 1);
        testing::internal::CaptureStderr();
    }
    std::string text() {
        if (!m_done) {
            m_text = testing::internal::GetCapturedStderr();
            unsetenv("SIMDEVICE_LOG_STDERR");
            m_done = true;
        }
        return m_text;
    }
    ~LayoutLog() { text(); }

  private:
    std::string m_text;
    bool m_done = false;
};

rt::Ref<UIView> viewWithFrame(CGRect frame) {
    rt::Ref<UIView> view = rt::make<UIView>();
    view->initWithFrame(frame);
    return view;
}

TEST(AutoLayout, ConstraintsAcrossLevelsAreSolvedInWindowCoordinates) {
    // A label in a cell's content view pinned to the cell's trailing edge, as settings cells do.
    auto window = rt::make<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 390, 844));
    auto cell = rt::make<UITableViewCell>();
    cell->setFrame(CGRectMake(20, 100, 350, 44));
    window->addSubview(cell);
    rt::Ref<UIView> content = cell->contentView();
    content->setFrame(CGRectMake(0, 0, 300, 44));
    auto label = rt::make<UILabel>();
    content->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->trailingAnchor()->constraintEqualToAnchor(cell->trailingAnchor(), -16)->setActive(YES);
    label->centerYAnchor()->constraintEqualToAnchor(content->centerYAnchor())->setActive(YES);
    label->widthAnchor()->constraintEqualToConstant(100)->setActive(YES);
    label->heightAnchor()->constraintEqualToConstant(20)->setActive(YES);
    // The content view is the nearest common ancestor... of the cell and the label: the cell.
    EXPECT_EQ(cell->constraints().size(), 1u);
    EXPECT_EQ(label->constraints().size(), 2u);

    window->layoutIfNeeded();
    EXPECT_EQ(label->frame(), CGRectMake(350 - 16 - 100, 12, 100, 20)); // in its superview's coordinates
    EXPECT_EQ(cell->frame(), CGRectMake(20, 100, 350, 44));             // a frame given in code stays

    // A frame change of a translating view moves what is pinned to it at the next pass.
    // The cell's own layout then gives its content view the new height, and the
    // label follows that within the same pass.
    cell->setFrame(CGRectMake(20, 100, 250, 60));
    window->layoutIfNeeded();
    EXPECT_EQ(content->frame(), CGRectMake(0, 0, 250, 60));
    EXPECT_EQ(label->frame(), CGRectMake(250 - 16 - 100, 20, 100, 20));
    content->setFrame(CGRectMake(0, 0, 200, 80));
    window->layoutIfNeeded();
    EXPECT_EQ(label->frame(), CGRectMake(250 - 16 - 100, 30, 100, 20));
}

// Many rows, each a translating view holding a badge placed by constraints.
struct Rows {
    explicit Rows(size_t count) {
        window->setFrame(CGRectMake(0, 0, 390, 844));
        for (size_t i = 0; i < count; ++i) {
            rt::Ref<UIView> row = viewWithFrame(CGRectMake(0, 10 * static_cast<CGFloat>(i), 390, 10));
            window->addSubview(row);
            rt::Ref<UIView> badge = rt::make<UIView>();
            row->addSubview(badge);
            badge->setTranslatesAutoresizingMaskIntoConstraints(NO);
            leading.push_back(badge->leadingAnchor()->constraintEqualToAnchor(row->leadingAnchor(), 8));
            NSLayoutConstraint::activateConstraints(
                {leading.back(), badge->topAnchor()->constraintEqualToAnchor(row->topAnchor()),
                 badge->widthAnchor()->constraintEqualToConstant(20),
                 badge->heightAnchor()->constraintEqualToConstant(10)});
            rows.push_back(row);
            badges.push_back(badge);
            // Plain views the solver has no reason to know.
            rt::Ref<UIView> plain = viewWithFrame(CGRectMake(40, 0, 100, 10));
            row->addSubview(plain);
            plainViews.push_back(plain);
        }
        window->layoutIfNeeded();
    }
    rt::Ref<UIWindow> window = rt::make<UIWindow>();
    std::vector<rt::Ref<UIView>> rows, badges, plainViews;
    std::vector<rt::Ref<NSLayoutConstraint>> leading;
};

TEST(AutoLayout, APassAfterOneChangeChangesTheKeptSolverByThatChangeOnly) {
    Rows screen(60);
    EXPECT_EQ(screen.badges[50]->frame(), CGRectMake(8, 0, 20, 10));
    const size_t built = uikit::LayoutStatistics::solversBuilt();
    const size_t added = uikit::LayoutStatistics::constraintsAdded();

    // One constraint of one row: that constraint again, and the badge's
    // weakest hold on its old frame; nothing of the other rows.
    screen.leading[50]->setConstant(30);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.badges[50]->frame(), CGRectMake(30, 0, 20, 10));
    EXPECT_EQ(screen.badges[49]->frame(), CGRectMake(8, 0, 20, 10));
    EXPECT_EQ(uikit::LayoutStatistics::solversBuilt(), built);
    const size_t afterConstant = uikit::LayoutStatistics::constraintsAdded();
    EXPECT_GE(afterConstant - added, 1u);
    EXPECT_LE(afterConstant - added, 6u);

    // A row moved in code: its four frame constraints again, and the badge follows.
    screen.rows[10]->setFrame(CGRectMake(0, 500, 390, 10));
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.badges[10]->frame(), CGRectMake(8, 0, 20, 10)); // in the row's coordinates
    EXPECT_EQ(uikit::LayoutStatistics::solversBuilt(), built);
    const size_t afterMove = uikit::LayoutStatistics::constraintsAdded();
    EXPECT_LE(afterMove - afterConstant, 4u);

    // Views nothing constrains move without a solve.
    for (const rt::Ref<UIView>& plain : screen.plainViews)
        plain->setFrame(CGRectMake(50, 0, 90, 10));
    screen.window->layoutIfNeeded();
    EXPECT_EQ(uikit::LayoutStatistics::constraintsAdded(), afterMove);

    // A row that leaves takes its constraints out; the rest keep their answers.
    screen.rows[20]->removeFromSuperview();
    screen.leading[21]->setConstant(12);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.badges[21]->frame(), CGRectMake(12, 0, 20, 10));
    EXPECT_EQ(uikit::LayoutStatistics::solversBuilt(), built);
}

TEST(AutoLayout, AConflictMetWhileChangingTheKeptSolverBreaksWhatAFreshSolveWould) {
    LayoutLog log;
    Rows screen(3);
    // Agrees with the row's frame today; the row's frame, given in code, came first.
    rt::Ref<NSLayoutConstraint> width = screen.rows[1]->widthAnchor()->constraintEqualToConstant(390);
    width->setActive(YES);
    screen.window->layoutIfNeeded();
    EXPECT_FALSE(width->isBroken());
    const size_t built = uikit::LayoutStatistics::solversBuilt();

    screen.rows[1]->setFrame(CGRectMake(0, 10, 300, 10));
    screen.window->layoutIfNeeded();
    EXPECT_TRUE(width->isBroken());
    EXPECT_EQ(screen.rows[1]->frame(), CGRectMake(0, 10, 300, 10));
    EXPECT_GT(uikit::LayoutStatistics::solversBuilt(), built);
    const std::string text = log.text();
    EXPECT_NE(text.find("Will attempt to recover by breaking constraint"), std::string::npos);
    EXPECT_NE(text.find("width == 390"), std::string::npos) << text;
}

TEST(AutoLayout, ActivationConstantsAndRemovalReachTheNextPass) {
    auto root = viewWithFrame(CGRectMake(0, 0, 300, 200));
    auto child = viewWithFrame(CGRectMake(5, 5, 10, 10));
    root->addSubview(child);
    child->setTranslatesAutoresizingMaskIntoConstraints(NO);
    rt::Ref<NSLayoutConstraint> leading =
        child->leadingAnchor()->constraintEqualToAnchor(root->leadingAnchor(), 8);
    EXPECT_FALSE(leading->isActive());
    NSLayoutConstraint::activateConstraints(
        {leading, child->topAnchor()->constraintEqualToAnchor(root->topAnchor(), 4),
         child->widthAnchor()->constraintGreaterThanOrEqualToConstant(50),
         child->widthAnchor()->constraintLessThanOrEqualToConstant(60)});
    EXPECT_TRUE(leading->isActive());
    root->layoutIfNeeded();
    // Only the inequalities decide the width; the old width (10) pulls it to the nearest bound.
    EXPECT_EQ(child->frame(), CGRectMake(8, 4, 50, 10));

    leading->setConstant(-2.4);
    root->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(child->frame().origin.x, -2 - 1.0 / 3); // whole pixels of a three-times screen

    leading->setActive(NO);
    EXPECT_FALSE(leading->isActive());
    root->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(child->frame().origin.x, -2 - 1.0 / 3); // nothing moves it: the frame holds

    // Leaving the hierarchy ends the constraints that tie the child to it.
    rt::Ref<NSLayoutConstraint> top = root->constraints().front();
    child->removeFromSuperview();
    EXPECT_FALSE(top->isActive());
    EXPECT_TRUE(root->constraints().empty());
    EXPECT_EQ(child->constraints().size(), 2u); // its own width bounds stay
}

TEST(AutoLayout, OptionalPrioritiesAndIntrinsicSizeGiveWay) {
    auto root = viewWithFrame(CGRectMake(0, 0, 300, 100));
    auto label = rt::make<UILabel>();
    label->setText("Hello");
    root->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->leadingAnchor()->constraintEqualToAnchor(root->leadingAnchor(), 10)->setActive(YES);
    label->topAnchor()->constraintEqualToAnchor(root->topAnchor())->setActive(YES);
    root->layoutIfNeeded();
    const CGSize natural = label->intrinsicContentSize();
    ASSERT_GT(natural.width, 0);
    EXPECT_EQ(label->frame(), CGRectMake(10, 0, natural.width, natural.height));

    // An optional width of 500 beats hugging (250) and stretches the label.
    rt::Ref<NSLayoutConstraint> wide = label->widthAnchor()->constraintEqualToConstant(200);
    wide->setPriority(500);
    wide->setActive(YES);
    root->layoutIfNeeded();
    EXPECT_EQ(label->frame().size.width, 200);
    // Raising the hugging above it keeps the natural width.
    label->setContentHuggingPriority(600, UILayoutConstraintAxisHorizontal);
    root->layoutIfNeeded();
    EXPECT_EQ(label->frame().size.width, natural.width);

    // New text, new size, without anyone asking for layout by hand.
    label->setText("Hello, world, a longer line");
    root->layoutIfNeeded();
    EXPECT_EQ(label->frame().size.width, label->intrinsicContentSize().width);
    EXPECT_GT(label->frame().size.width, natural.width);

    auto plain = rt::make<UIView>();
    EXPECT_EQ(plain->intrinsicContentSize(), CGSizeMake(UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric));
    EXPECT_EQ(plain->contentHuggingPriorityForAxis(UILayoutConstraintAxisVertical), 250);
    EXPECT_EQ(plain->contentCompressionResistancePriorityForAxis(UILayoutConstraintAxisHorizontal), 750);
    EXPECT_EQ(rt::make<UISwitch>()->intrinsicContentSize(), CGSizeMake(51, 31));
}

TEST(AutoLayout, ConflictsAreLoggedAndOneConstraintIsBroken) {
    LayoutLog log;
    auto root = viewWithFrame(CGRectMake(0, 0, 300, 200));
    auto child = rt::make<UIView>();
    root->addSubview(child);
    child->setTranslatesAutoresizingMaskIntoConstraints(NO);
    rt::Ref<NSLayoutConstraint> narrow = child->widthAnchor()->constraintEqualToConstant(100);
    rt::Ref<NSLayoutConstraint> wide = child->widthAnchor()->constraintEqualToConstant(200);
    narrow->setActive(YES);
    wide->setActive(YES);
    root->layoutIfNeeded();
    EXPECT_EQ(child->frame().size.width, 100);
    EXPECT_TRUE(wide->isBroken());
    EXPECT_TRUE(wide->isActive()); // broken, not switched off
    root->setNeedsLayout();
    root->layoutIfNeeded(); // a broken constraint is not reported twice

    // A constraint fighting a frame given in code breaks too.
    auto fixed = viewWithFrame(CGRectMake(0, 0, 40, 40));
    root->addSubview(fixed);
    fixed->widthAnchor()->constraintEqualToConstant(80)->setActive(YES);
    // NaN would poison the other values: it is left out.
    child->heightAnchor()->constraintEqualToConstant(std::nan(""))->setActive(YES);
    root->layoutIfNeeded();
    EXPECT_EQ(fixed->frame(), CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(child->frame().size.width, 100);

    const std::string text = log.text();
    EXPECT_NE(text.find("Unable to simultaneously satisfy constraints."), std::string::npos) << text;
    EXPECT_NE(text.find("Will attempt to recover by breaking constraint"), std::string::npos);
    EXPECT_NE(text.find(narrow->description().substr(0, 40)), std::string::npos); // the constraints involved
    EXPECT_NE(text.find("NSAutoresizingMaskLayoutConstraint"), std::string::npos);
    EXPECT_NE(text.find("not a number"), std::string::npos);
    std::size_t reports = 0;
    for (std::size_t at = 0; (at = text.find("Unable to simultaneously", at)) != std::string::npos; ++at)
        ++reports;
    EXPECT_EQ(reports, 2u);
}

TEST(AutoLayout, ViewsWithoutACommonAncestorAreRefusedWithALogLine) {
    LayoutLog log;
    auto a = rt::make<UIView>();
    auto b = rt::make<UIView>();
    rt::Ref<NSLayoutConstraint> constraint = a->topAnchor()->constraintEqualToAnchor(b->bottomAnchor());
    constraint->setActive(YES);
    EXPECT_FALSE(constraint->isActive());
    EXPECT_TRUE(a->constraints().empty());
    EXPECT_NE(log.text().find("because they have no common ancestor"), std::string::npos);
    // Anchors of different kinds relate only through the runtime, which answers nil.
    rt::Ref<NSLayoutConstraint> mixed = rt::send<rt::Ref<NSLayoutConstraint>(NSLayoutAnchor*)>(
        a->topAnchor(), rt::sel<"constraintEqualToAnchor:">(), a->leadingAnchor().get());
    EXPECT_FALSE(mixed);
}

std::vector<std::string> g_layouts;
void (*g_previousLayoutSubviews)(id, SEL) = nullptr;

void recordLayoutSubviews(id self, SEL cmd) {
    g_previousLayoutSubviews(self, cmd);
    auto* view = static_cast<UIView*>(self);
    g_layouts.push_back(std::string(class_getName(object_getClass(self))) + " " +
                        std::to_string(static_cast<int>(view->frame().size.width)));
}

TEST(AutoLayout, AReplacedLayoutSubviewsRunsTopDownAtEveryPass) {
    static const Class probe = rt::defineClass("AutoLayoutTestsProbe", UIView::classObject(), nullptr);
    MSHookMessageEx(probe, rt::sel<"layoutSubviews">(), &recordLayoutSubviews, &g_previousLayoutSubviews);
    ASSERT_NE(g_previousLayoutSubviews, nullptr);

    auto root = viewWithFrame(CGRectMake(0, 0, 300, 200));
    rt::Ref<UIView> outer = rt::createInstance<UIView>(probe);
    rt::Ref<UIView> inner = rt::createInstance<UIView>(probe);
    root->addSubview(outer);
    outer->addSubview(inner);
    outer->setTranslatesAutoresizingMaskIntoConstraints(NO);
    NSLayoutConstraint::activateConstraints(
        {outer->leadingAnchor()->constraintEqualToAnchor(root->leadingAnchor()),
         outer->trailingAnchor()->constraintEqualToAnchor(root->trailingAnchor()),
         outer->topAnchor()->constraintEqualToAnchor(root->topAnchor()),
         outer->heightAnchor()->constraintEqualToConstant(50)});
    inner->setFrame(CGRectMake(0, 0, 20, 20));

    g_layouts.clear();
    root->layoutIfNeeded();
    // Frames are solved before layoutSubviews runs, parents before children.
    EXPECT_EQ(g_layouts, (std::vector<std::string>{"AutoLayoutTestsProbe 300", "AutoLayoutTestsProbe 20"}));
    root->layoutIfNeeded();
    EXPECT_EQ(g_layouts.size(), 2u); // nothing needed layout

    for (int pass = 0; pass < 3; ++pass) {
        outer->setNeedsLayout();
        root->layoutIfNeeded();
    }
    EXPECT_EQ(g_layouts.size(), 5u);
    // A size change from the constraints lays the view out again.
    root->setFrame(CGRectMake(0, 0, 320, 200));
    root->layoutIfNeeded();
    ASSERT_EQ(g_layouts.size(), 6u);
    EXPECT_EQ(g_layouts.back(), "AutoLayoutTestsProbe 320");
}

} // namespace
