#include <UIKit/UIControl.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UITouch.h>
#include <objc/message.h>

namespace {

UIControl* controlOf(id self) {
    return static_cast<UIControl*>(self);
}

bool liftedInside(UIControl* control, const UITouchSet& touches) {
    if (touches.empty())
        return false;
    const CGPoint at = touches.front()->locationInView(control);
    const CGSize size = control->bounds().size;
    return at.x >= 0 && at.y >= 0 && at.x < size.width && at.y < size.height;
}

} // namespace

RT_DEFINE_CLASS(UIControl, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"sendActionsForControlEvents:">(), +[](id self, SEL, UIControlEvents events) {
            auto* control = static_cast<UIControl*>(self);
            for (const UIControl::Action& action : control->actionsForControlEvents(events))
                UIApplication::sharedApplication()->sendAction(action.action, action.target, control);
        });
    class_addMethod(
        cls, rt::sel<"touchesBegan:withEvent:">(), +[](id self, SEL, const UITouchSet&, id) {
            UIControl* control = controlOf(self);
            if (!control->isEnabled())
                return;
            control->setHighlighted(YES);
            control->sendActionsForControlEvents(UIControlEventTouchDown);
        });
    class_addMethod(
        cls, rt::sel<"touchesEnded:withEvent:">(), +[](id self, SEL, const UITouchSet& touches, id) {
            UIControl* control = controlOf(self);
            if (!control->isEnabled())
                return;
            control->setHighlighted(NO);
            if (liftedInside(control, touches))
                control->sendActionsForControlEvents(static_cast<UIControlEvents>(
                    UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered));
        });
    class_addMethod(
        cls, rt::sel<"touchesCancelled:withEvent:">(),
        +[](id self, SEL, const UITouchSet&, id) { controlOf(self)->setHighlighted(NO); });
})

void UIControl::addTarget(id target, SEL action, UIControlEvents events) {
    if (!action)
        return;
    for (Registration& registration : m_registrations)
        if (registration.target.lock().get() == target && registration.action == action) {
            registration.events = static_cast<UIControlEvents>(registration.events | events);
            return;
        }
    m_registrations.push_back({rt::Weak<objc_object>(target), action, events});
}

void UIControl::removeTarget(id target, SEL action, UIControlEvents events) {
    for (Registration& registration : m_registrations)
        if (registration.target.lock().get() == target && (!action || registration.action == action))
            registration.events = static_cast<UIControlEvents>(registration.events & ~events);
    std::erase_if(m_registrations, [](const Registration& r) { return r.events == 0; });
}

void UIControl::sendActionsForControlEvents(UIControlEvents events) {
    rt::send<void(UIControlEvents)>(this, rt::sel<"sendActionsForControlEvents:">(), events);
}

std::vector<UIControl::Action> UIControl::actionsForControlEvents(UIControlEvents events) const {
    std::vector<Action> actions;
    for (const Registration& registration : m_registrations)
        if (registration.events & events)
            if (rt::Ref<objc_object> target = registration.target.lock())
                actions.push_back({target, registration.action});
    return actions;
}
