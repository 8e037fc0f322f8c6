#pragma once
#include <UIKit/UIMenuElement.h>

#include <vector>

#define UIMENU_METHODS(M, O, C)                                                                              \
    C(rt::Ref<UIMenu>, menuWithTitle,                                                                        \
      "menuWithTitle:children:", (const std::string&, const std::vector<rt::Ref<UIMenuElement>>&))

// A titled list of entries, shown by a button that carries it.
class UIKIT_EXTERN UIMenu : public UIMenuElement {
    RT_OBJECT(UIMenu, UIMenuElement)
    RT_METHODS(UIMENU_METHODS)

  public:
    const std::vector<rt::Ref<UIMenuElement>>& children() const { return m_children; }

  private:
    std::vector<rt::Ref<UIMenuElement>> m_children;
};
