// Replacements keep `self` in strong references, as the engine's view hooks
// do; building and tearing down every UIKit class around them must neither
// free an object early nor keep one alive past its owners.
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIVisualEffectView.h>
#include <UIKit/UIWindow.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<rt::Ref<UIView>> g_seen;
void (*g_setTintColor)(id, SEL, UIColor*) = nullptr;
void (*g_layoutSubviews)(id, SEL) = nullptr;

void keepingSetTintColor(id self, SEL cmd, UIColor* colour) {
    rt::Ref<UIView> view = rt::verifyCast<UIView>(self);
    g_seen.push_back(view);
    g_setTintColor(self, cmd, colour);
}

void keepingLayoutSubviews(id self, SEL cmd) {
    rt::Ref<UIView> view(static_cast<UIView*>(self));
    g_seen.push_back(view);
    g_layoutSubviews(self, cmd);
}

void layOutTree(UIView* view) {
    view->layoutSubviews();
    for (const rt::Ref<UIView>& subview : view->subviews())
        layOutTree(subview);
}

TEST(UIKitOwnership, HooksHoldingSelfSurviveEveryClassAndReleaseWithTheOwners) {
    MSHookMessageEx(UIView::classObject(), rt::sel<"setTintColor:">(), &keepingSetTintColor, &g_setTintColor);
    MSHookMessageEx(UIView::classObject(), rt::sel<"layoutSubviews">(), &keepingLayoutSubviews,
                    &g_layoutSubviews);
    ASSERT_NE(g_setTintColor, nullptr);
    ASSERT_NE(g_layoutSubviews, nullptr);
    // Bars made from now on send setTintColor: from their constructor.
    UINavigationBar::appearance()->setTintColor(UIColor::systemOrangeColor());

    std::vector<rt::Weak<NSObject>> watched;
    {
        auto window = rt::make<UIWindow>();
        auto root = rt::make<UIViewController>();
        auto stack = rt::make<UINavigationController>();
        stack->initWithRootViewController(root);
        window->setRootViewController(stack);
        window->makeKeyAndVisible();

        auto cell = rt::make<UITableViewCell>();
        cell->initWithStyle(UITableViewCellStyleValue1, "row");
        cell->textLabel()->setText("Title");
        auto control = rt::make<UISwitch>();
        cell->setAccessoryView(control);
        root->view()->addSubview(cell);
        auto label = rt::make<UILabel>();
        auto plain = rt::make<UIControl>();
        root->view()->addSubview(label);
        root->view()->addSubview(plain);

        auto item = rt::make<UIBarButtonItem>();
        item->initWithTitle("Apply", UIBarButtonItemStylePlain, root, rt::sel<"viewDidLoad">());
        root->navigationItem()->setRightBarButtonItem(item);

        auto picture = rt::make<UIImageView>();
        picture->initWithImage(UIImage::systemImageNamed("heart"));
        auto button = UIButton::buttonWithType(UIButtonTypeSystem);
        button->setTitle("Send", 0);
        button->setImage(UIImage::systemImageNamed("paperplane.fill"), 0);
        auto blur = rt::make<UIVisualEffectView>();
        blur->initWithEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleDark));
        blur->contentView()->addSubview(picture);
        auto toolbar = rt::make<UIToolbar>();
        toolbar->setItems({item});
        auto attributed = NSAttributedString::initWithString(
            "Hi", {{NSForegroundColorAttributeName, UIColor::systemRedColor()},
                   {NSFontAttributeName, UIFont::systemFontOfSize(12)}});
        label->setAttributedText(attributed);
        for (UIView* view : std::initializer_list<UIView*>{button, blur, toolbar})
            root->view()->addSubview(view);
        auto alert =
            UIAlertController::alertControllerWithTitle("Title", "Message", UIAlertControllerStyleAlert);
        alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleCancel, nullptr));
        root->presentViewController(alert, YES, nullptr);

        const std::vector<rt::Ref<UIView>> views{
            window, root->view(), stack->navigationBar(), cell, label, plain, control, picture, button,
            blur,   toolbar};
        for (const rt::Ref<UIView>& view : views)
            view->setTintColor(UIColor::systemPinkColor());
        layOutTree(window);
        EXPECT_GT(g_seen.size(), 10u);

        const std::vector<rt::Ref<NSObject>> objects{window,
                                                     root,
                                                     stack,
                                                     stack->navigationBar(),
                                                     cell,
                                                     cell->contentView(),
                                                     cell->textLabel(),
                                                     control,
                                                     label,
                                                     plain,
                                                     item,
                                                     root->navigationItem(),
                                                     alert,
                                                     alert->actions().front(),
                                                     picture,
                                                     picture->image(),
                                                     button,
                                                     button->titleLabel(),
                                                     button->imageView(),
                                                     blur,
                                                     blur->contentView(),
                                                     blur->effect(),
                                                     toolbar,
                                                     attributed,
                                                     label->font()};
        for (const rt::Ref<NSObject>& object : objects)
            watched.emplace_back(object.get());
    }
    // The hooks' list is an owner too: the window it saw outlives the test's references...
    EXPECT_TRUE(watched.front().lock());
    g_seen.clear();
    // ...and once every owner is gone, so is everything.
    for (const rt::Weak<NSObject>& object : watched)
        EXPECT_FALSE(object.lock());
    UINavigationBar::appearance()->setTintColor(nullptr);
    g_seen.clear();
}

} // namespace
