#include <UIKit/UISwitch.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UISwitch, nullptr)

CGSize UISwitch::intrinsicContentSizeImpl() {
    return CGSize{51, 31};
}

void UISwitch::toggleByUser(BOOL on) {
    setOn(on);
    sendActionsForControlEvents(UIControlEventValueChanged);
}
