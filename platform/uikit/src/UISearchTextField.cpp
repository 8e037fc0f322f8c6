#include <UIKit/UISearchTextField.h>

#include <UIKit/UIImageView.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UISearchTextField, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(), +[](id self, SEL cmd) {
            rt::sendSuper<void()>(self, UISearchTextField::classObject(), cmd);
            static_cast<UISearchTextField*>(self)->placeBackground();
        });
})

UISearchTextField::UISearchTextField(Class cls)
    : UITextField(cls), m_backgroundView(rt::make<_UISearchBarSearchFieldBackgroundView>()) {
    m_backgroundView->setBackgroundColor(UIColor::tertiarySystemFillColor());
    m_backgroundView->layer()->setCornerRadius(kCornerRadius);
    insertSubview(m_backgroundView, 0);
    rt::Ref<UIImageView> glass = rt::make<UIImageView>();
    glass->setImage(UIImage::systemImageNamed("magnifyingglass"));
    glass->setFrame(CGRectMake(0, 0, kIconSize, kIconSize));
    glass->setTintColor(UIColor::secondaryLabelColor());
    setLeftView(glass);
}

void UISearchTextField::placeBackground() {
    m_backgroundView->setFrame(bounds());
}
