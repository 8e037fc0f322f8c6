#pragma once
#include <UIKit/UIMenuElement.h>

#include <vector>

// A titled list of entries, shown by a button that carries it.
class UIKIT_EXTERN UIMenu : public UIMenuElement {
    RT_OBJECT(UIMenu, UIMenuElement)

    // Class method "menuWithTitle:children:".
    static rt::Ref<UIMenu> menuWithTitle(const std::string& title,
                                         const std::vector<rt::Ref<UIMenuElement>>& children);

    const std::vector<rt::Ref<UIMenuElement>>& children() const { return m_children; }

  private:
    std::vector<rt::Ref<UIMenuElement>> m_children;
};
