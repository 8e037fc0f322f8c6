#include <UIKit/UIAction.h>

#include <atomic>

RT_DEFINE_CLASS(UIAction, nullptr)

rt::Ref<UIAction> UIAction::actionWithTitleImpl(const std::string& title, UIImage* image,
                                                const std::string& identifier, const Handler& handler) {
    static std::atomic<unsigned long> s_made{0};
    rt::Ref<UIAction> action = rt::make<UIAction>();
    action->setTitleAndImage(title, image);
    action->m_identifier = identifier.empty() ? "com.apple.action." + std::to_string(++s_made) : identifier;
    action->m_handler = handler;
    return action;
}

void UIAction::performWithSender() {
    rt::Ref<UIAction> self(this); // the handler may drop the menu that holds this entry
    if (m_handler)
        m_handler(this);
}
