#include <UIKit/UISearchBar.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UISearchBar, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"searchTextField">(),
        +[](id self, SEL) { return static_cast<UISearchBar*>(self)->m_searchTextField; });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<UISearchBar*>(self)->placeField(); });
})

UISearchBar::UISearchBar(Class cls) : UIView(cls), m_searchTextField(rt::make<UISearchTextField>()) {
    addSubview(m_searchTextField);
}

rt::Ref<UISearchTextField> UISearchBar::searchTextField() {
    return rt::send<rt::Ref<UISearchTextField>()>(this, rt::sel<"searchTextField">());
}

void UISearchBar::placeField() {
    const CGRect bounds = this->bounds();
    m_searchTextField->setPlaceholder(placeholder());
    m_searchTextField->setFrame(CGRectMake(kMargin, (bounds.size.height - kFieldHeight) / 2,
                                           std::max<CGFloat>(0, bounds.size.width - 2 * kMargin),
                                           kFieldHeight));
}
