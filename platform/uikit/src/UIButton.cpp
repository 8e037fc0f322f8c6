#include <UIKit/UIButton.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIButton, [](Class cls, Class) {
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
