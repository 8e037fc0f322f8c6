#include <UIKit/UIControl.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UITouch.h>
#include <objc/message.h>

namespace {

bool liftedInside(UIControl* control, const UITouchSet& touches) {
    if (touches.empty())
        return false;
    const CGPoint at = touches.front()->locationInView(control);
    const CGSize size = control->bounds().size;
    return at.x >= 0 && at.y >= 0 && at.x < size.width && at.y < size.height;
}

} // namespace

RT_DEFINE_CLASS(UIControl, nullptr)

void UIControl::sendActionsForControlEventsImpl(UIControlEvents events) {
    for (const Action& action : actionsForControlEvents(events))
        UIApplication::sharedApplication()->sendAction(action.action, action.target, this);
}

void UIControl::touchesBeganImpl(const UITouchSet&, id) {
    if (!isEnabled())
        return;
    setHighlighted(YES);
    sendActionsForControlEvents(UIControlEventTouchDown);
}

void UIControl::touchesEndedImpl(const UITouchSet& touches, id) {
    if (!isEnabled())
        return;
    setHighlighted(NO);
    if (liftedInside(this, touches))
        sendActionsForControlEvents(
            static_cast<UIControlEvents>(UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered));
}

void UIControl::touchesCancelledImpl(const UITouchSet&, id) {
    setHighlighted(NO);
}

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

std::vector<UIControl::Action> UIControl::actionsForControlEvents(UIControlEvents events) const {
    std::vector<Action> actions;
    for (const Registration& registration : m_registrations)
        if (registration.events & events)
            if (rt::Ref<objc_object> target = registration.target.lock())
                actions.push_back({target, registration.action});
    return actions;
}
