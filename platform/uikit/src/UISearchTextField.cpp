#include <UIKit/UISearchTextField.h>

#include <UIKit/UIImageView.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UISearchTextField, nullptr)

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

void UISearchTextField::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    m_backgroundView->setFrame(bounds());
}
