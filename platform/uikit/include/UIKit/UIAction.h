#pragma once
#include <UIKit/UIMenuElement.h>

#include <functional>

// A menu entry that runs its handler when chosen.
class UIKIT_EXTERN UIAction : public UIMenuElement {
    RT_OBJECT(UIAction, UIMenuElement)
    using Handler = std::function<void(UIAction*)>;

    // Class method "actionWithTitle:image:identifier:handler:"; an empty
    // identifier gets a unique one.
    static rt::Ref<UIAction> actionWithTitle(const std::string& title, UIImage* image,
                                             const std::string& identifier, Handler handler);

    const std::string& identifier() const { return m_identifier; }
    const Handler& handler() const { return m_handler; }
    // What choosing the entry does: the handler, given this action.
    void performWithSender();

  private:
    std::string m_identifier;
    Handler m_handler;
};
