#include <UIKit/UIAlertController.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UIAlertController, nullptr)

rt::Ref<UIAlertController>
UIAlertController::alertControllerWithTitle(const std::string& title, const std::string& message,
                                            UIAlertControllerStyle preferredStyle) {
    auto alert = rt::make<UIAlertController>();
    alert->setTitle(title);
    alert->m_message = message;
    alert->m_preferredStyle = preferredStyle;
    return alert;
}

void UIAlertController::addAction(UIAlertAction* action) {
    if (action)
        m_actions.emplace_back(action);
}

BOOL UIAlertController::_dismissWithAction(UIAlertAction* action) {
    const bool ours = std::ranges::any_of(m_actions, [action](const auto& a) { return a.get() == action; });
    if (!action || !ours || !action->isEnabled())
        return NO;
    rt::Ref<UIAlertController> keep(this); // the presenter holds the last reference until dismissed
    rt::Ref<UIAlertAction> tapped(action);
    auto runHandler = [tapped] {
        if (tapped->handler())
            tapped->handler()(tapped);
    };
    if (presentingViewController())
        dismissViewControllerAnimated(YES, runHandler);
    else
        runHandler();
    return YES;
}
