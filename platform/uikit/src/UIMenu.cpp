#include <UIKit/UIMenu.h>

RT_DEFINE_CLASS(UIMenu, [](Class, Class meta) {
    class_addMethod(
        meta, rt::sel<"menuWithTitle:children:">(),
        +[](id, SEL, const std::string& title, const std::vector<rt::Ref<UIMenuElement>>& children) {
            rt::Ref<UIMenu> menu = rt::make<UIMenu>();
            menu->setTitleAndImage(title, nullptr);
            menu->m_children = children;
            return menu;
        });
})

rt::Ref<UIMenu> UIMenu::menuWithTitle(const std::string& title,
                                      const std::vector<rt::Ref<UIMenuElement>>& children) {
    return rt::send<rt::Ref<UIMenu>(const std::string&, const std::vector<rt::Ref<UIMenuElement>>&)>(
        classObject(), rt::sel<"menuWithTitle:children:">(), title, children);
}
