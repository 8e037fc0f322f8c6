#include <UIKit/UISearchBar.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UISearchBar, nullptr)

UISearchBar::UISearchBar(Class cls) : UIView(cls), m_searchTextField(rt::make<UISearchTextField>()) {
    addSubview(m_searchTextField);
}

rt::Ref<UISearchTextField> UISearchBar::searchTextFieldImpl() {
    return m_searchTextField;
}

void UISearchBar::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    m_searchTextField->setPlaceholder(placeholder());
    m_searchTextField->setFrame(CGRectMake(kMargin, (bounds.size.height - kFieldHeight) / 2,
                                           std::max<CGFloat>(0, bounds.size.width - 2 * kMargin),
                                           kFieldHeight));
}
