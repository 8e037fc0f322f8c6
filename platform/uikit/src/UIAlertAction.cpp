#include <UIKit/UIAlertAction.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIAlertAction, nullptr)

rt::Ref<UIAlertAction> UIAlertAction::actionWithTitle(const std::string& title, UIAlertActionStyle style,
                                                      Handler handler) {
    auto action = rt::make<UIAlertAction>();
    action->m_title = title;
    action->m_style = style;
    action->m_handler = std::move(handler);
    return action;
}
