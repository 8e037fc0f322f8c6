#include <UIKit/UIAlertAction.h>

#include <objc/message.h>

namespace {
[[maybe_unused]] const Class registered = UIAlertAction::classObject();
} // namespace

Class UIAlertAction::classObject() {
    static const Class cls = rt::defineClass("UIAlertAction", NSObject::classObject(), [](Class c, Class) {
        rt::setAllocator(c, &rt::allocate<UIAlertAction>);
    });
    return cls;
}

rt::Ref<UIAlertAction> UIAlertAction::actionWithTitle(const std::string& title, UIAlertActionStyle style,
                                                      Handler handler) {
    rt::Ref<UIAlertAction> action(new UIAlertAction(classObject()));
    action->m_title = title;
    action->m_style = style;
    action->m_handler = std::move(handler);
    return action;
}
