#include <UIKit/UIMenu.h>

RT_DEFINE_CLASS(UIMenu, nullptr)

rt::Ref<UIMenu> UIMenu::menuWithTitleImpl(const std::string& title,
                                          const std::vector<rt::Ref<UIMenuElement>>& children) {
    rt::Ref<UIMenu> menu = rt::make<UIMenu>();
    menu->setTitleAndImage(title, nullptr);
    menu->m_children = children;
    return menu;
}
