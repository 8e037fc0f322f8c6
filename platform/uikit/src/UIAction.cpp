#include <UIKit/UIAction.h>

#include <atomic>

RT_DEFINE_CLASS(UIAction, [](Class, Class meta) {
    class_addMethod(
        meta, rt::sel<"actionWithTitle:image:identifier:handler:">(),
        +[](id, SEL, const std::string& title, UIImage* image, const std::string& identifier,
            const UIAction::Handler& handler) {
            static std::atomic<unsigned long> s_made{0};
            rt::Ref<UIAction> action = rt::make<UIAction>();
            action->setTitleAndImage(title, image);
            action->m_identifier =
                identifier.empty() ? "com.apple.action." + std::to_string(++s_made) : identifier;
            action->m_handler = handler;
            return action;
        });
})

rt::Ref<UIAction> UIAction::actionWithTitle(const std::string& title, UIImage* image,
                                            const std::string& identifier, Handler handler) {
    return rt::send<rt::Ref<UIAction>(const std::string&, UIImage*, const std::string&, const Handler&)>(
        classObject(), rt::sel<"actionWithTitle:image:identifier:handler:">(), title, image, identifier,
        handler);
}

void UIAction::performWithSender() {
    rt::Ref<UIAction> self(this); // the handler may drop the menu that holds this entry
    if (m_handler)
        m_handler(this);
}
