#pragma once
#include <UIKit/UIMenuElement.h>

#include <functional>

class UIAction;
using UIActionHandler = std::function<void(UIAction*)>;

// "actionWithTitle:image:identifier:handler:": an empty identifier gets a unique one.
#define UIACTION_METHODS(M, O, C)                                                                            \
    C(rt::Ref<UIAction>, actionWithTitle, "actionWithTitle:image:identifier:handler:",                       \
      (const std::string&, UIImage*, const std::string&, const UIActionHandler&))

// A menu entry that runs its handler when chosen.
class UIKIT_EXTERN UIAction : public UIMenuElement {
    RT_OBJECT(UIAction, UIMenuElement)
    RT_METHODS(UIACTION_METHODS)

  public:
    using Handler = UIActionHandler;

    const std::string& identifier() const { return m_identifier; }
    const Handler& handler() const { return m_handler; }
    // What choosing the entry does: the handler, given this action.
    void performWithSender();

  private:
    std::string m_identifier;
    Handler m_handler;
};
