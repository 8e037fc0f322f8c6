#include <UIKit/UIButton.h>

#include <UIKit/TextMeasurement.h>
#include <UIKit/UIAction.h>
#include <UIKit/UIMenu.h>
#include <UIKit/UITouch.h>
#include <objc/message.h>

#include <algorithm>

namespace {

bool holds(const UIMenu* menu, const UIAction* action) {
    for (const rt::Ref<UIMenuElement>& child : menu->children()) {
        if (child.get() == action)
            return true;
        if (auto submenu = rt::dynamicCast<UIMenu>(child.get()); submenu && holds(submenu, action))
            return true;
    }
    return false;
}

} // namespace

RT_DEFINE_CLASS(UIButton, [](Class cls, Class) {
    // A tap that ends inside presents the menu when it is the primary action.
    class_addMethod(
        cls, rt::sel<"touchesEnded:withEvent:">(),
        +[](id self, SEL cmd, const UITouchSet& touches, id event) {
            auto* button = static_cast<UIButton*>(self);
            const bool wasHighlighted = button->isHighlighted();
            rt::sendSuper<void(const UITouchSet&, id)>(self, UIButton::classObject(), cmd, touches, event);
            if (!wasHighlighted || touches.empty() || !button->showsMenuAsPrimaryAction() || !button->menu())
                return;
            const CGPoint at = touches.front()->locationInView(button);
            const CGSize size = button->bounds().size;
            if (at.x >= 0 && at.y >= 0 && at.x < size.width && at.y < size.height)
                button->m_presentedMenu = button->menu();
        });
    // The image beside the title, each at its natural size.
    class_addMethod(
        cls, rt::sel<"intrinsicContentSize">(), +[](id self, SEL) {
            auto* button = static_cast<UIButton*>(self);
            CGSize size{0, 0};
            if (button->m_imageView && button->m_imageView->image())
                size = button->m_imageView->image()->size();
            if (button->m_titleLabel && !button->m_titleLabel->text().empty()) {
                const CGSize title = uikit::measureTextLine(button->m_titleLabel->text(),
                                                            button->m_titleLabel->font()->pointSize());
                size = CGSize{size.width + title.width, std::max(size.height, title.height)};
            }
            return size;
        });
    // "titleLabel" and "imageView": made on first use.
    class_addMethod(
        cls, rt::sel<"titleLabel">(), +[](id self, SEL) {
            auto* button = static_cast<UIButton*>(self);
            if (!button->m_titleLabel) {
                button->m_titleLabel = rt::make<UILabel>();
                button->m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
                button->m_titleLabel->setTextColor(nullptr); // nil: the button's own title colour
            }
            return button->m_titleLabel;
        });
    class_addMethod(
        cls, rt::sel<"imageView">(), +[](id self, SEL) {
            auto* button = static_cast<UIButton*>(self);
            if (!button->m_imageView) {
                button->m_imageView = rt::make<UIImageView>();
                button->m_imageView->setContentMode(UIViewContentModeCenter);
            }
            return button->m_imageView;
        });
    class_addMethod(
        cls, rt::sel<"setTitle:forState:">(), +[](id self, SEL, const std::string& title, NSUInteger state) {
            if (state == 0)
                static_cast<UIButton*>(self)->titleLabel()->setText(title);
        });
    class_addMethod(
        cls, rt::sel<"setTitleColor:forState:">(), +[](id self, SEL, UIColor* colour, NSUInteger state) {
            if (state == 0)
                static_cast<UIButton*>(self)->m_titleColor = colour;
        });
    class_addMethod(
        cls, rt::sel<"setImage:forState:">(), +[](id self, SEL, UIImage* image, NSUInteger state) {
            if (state == 0)
                static_cast<UIButton*>(self)->imageView()->setImage(image);
        });
})

rt::Ref<UIButton> UIButton::buttonWithType(UIButtonType type) {
    rt::Ref<UIButton> button = rt::make<UIButton>();
    button->m_buttonType = type;
    if (type == UIButtonTypeInfoLight || type == UIButtonTypeInfoDark ||
        type == UIButtonTypeDetailDisclosure) {
        button->setImage(UIImage::systemImageNamed("info.circle"), 0);
        // An info button keeps its symbol's size; text beside it gives way.
        button->setContentHuggingPriority(UILayoutPriorityDefaultHigh, UILayoutConstraintAxisHorizontal);
        button->setContentHuggingPriority(UILayoutPriorityDefaultHigh, UILayoutConstraintAxisVertical);
    }
    return button;
}

void UIButton::setTitle(const std::string& title, NSUInteger state) {
    rt::send<void(const std::string&, NSUInteger)>(this, rt::sel<"setTitle:forState:">(), title, state);
}
void UIButton::setTitleColor(UIColor* colour, NSUInteger state) {
    rt::send<void(UIColor*, NSUInteger)>(this, rt::sel<"setTitleColor:forState:">(), colour, state);
}
void UIButton::setImage(UIImage* image, NSUInteger state) {
    rt::send<void(UIImage*, NSUInteger)>(this, rt::sel<"setImage:forState:">(), image, state);
}

std::string UIButton::currentTitle() {
    return m_titleLabel ? m_titleLabel->text() : std::string();
}

rt::Ref<UILabel> UIButton::titleLabel() {
    return rt::send<rt::Ref<UILabel>()>(this, rt::sel<"titleLabel">());
}

rt::Ref<UIImageView> UIButton::imageView() {
    return rt::send<rt::Ref<UIImageView>()>(this, rt::sel<"imageView">());
}

BOOL UIButton::_chooseMenuAction(UIAction* action) {
    if (!m_presentedMenu || !action || !holds(m_presentedMenu, action))
        return NO;
    rt::Ref<UIAction> chosen(action); // closing the menu may drop the last other reference
    m_presentedMenu = nullptr;
    chosen->performWithSender();
    return YES;
}
