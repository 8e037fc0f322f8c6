#include <UIKit/UISearchBar.h>

RT_DEFINE_CLASS(UISearchBar, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"searchTextField">(),
        +[](id self, SEL) { return static_cast<UISearchBar*>(self)->m_searchTextField; });
})

UISearchBar::UISearchBar(Class cls) : UIView(cls), m_searchTextField(rt::make<UISearchTextField>()) {
    addSubview(m_searchTextField);
}

rt::Ref<UISearchTextField> UISearchBar::searchTextField() {
    return rt::send<rt::Ref<UISearchTextField>()>(this, rt::sel<"searchTextField">());
}
