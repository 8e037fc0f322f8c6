#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIView.h>

#include <vector>

enum UIControlEvents : NSUInteger {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventPrimaryActionTriggered = 1 << 13,
    UIControlEventAllEvents = 0xFFFFFFFF,
};

// A view that sends actions to targets. Targets are weak: a control never
// keeps its target alive, and a target that has gone away is skipped.
//
// A control keeps the touches it gets (they go no further up the chain): a
// touch going down highlights it and sends touch-down actions; lifted inside
// its bounds it sends touch-up-inside and primary actions; cancelled, it only
// ends the highlight. A disabled control ignores touches.
#define UICONTROL_PROPERTIES(P) P(BOOL, isHighlighted, setHighlighted, NO)

// "sendActionsForControlEvents:": each matching action, in the order added,
// goes through the application to its target.
#define UICONTROL_METHODS(M, O, C)                                                                           \
    M(void, sendActionsForControlEvents, "sendActionsForControlEvents:", (UIControlEvents))                  \
    O(touchesBegan)                                                                                          \
    O(touchesEnded)                                                                                          \
    O(touchesCancelled)

class UIKIT_EXTERN UIControl : public UIView {
    RT_OBJECT(UIControl, UIView)
    RT_PROPERTIES(UICONTROL_PROPERTIES)
    RT_METHODS(UICONTROL_METHODS)

    void addTarget(id target, SEL action, UIControlEvents events);
    // A null action removes every action of that target for those events.
    void removeTarget(id target, SEL action, UIControlEvents events);
    // Actions registered for `events`, in order, with their live targets.
    struct Action {
        rt::Ref<objc_object> target;
        SEL action;
    };
    std::vector<Action> actionsForControlEvents(UIControlEvents events) const;

    BOOL isEnabled() const { return m_enabled; }
    void setEnabled(BOOL enabled) { m_enabled = enabled; }

  private:
    struct Registration {
        rt::Weak<objc_object> target;
        SEL action;
        UIControlEvents events;
    };
    std::vector<Registration> m_registrations;
    BOOL m_enabled = YES;
};
