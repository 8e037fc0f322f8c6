#include <UIKit/UISwitch.h>

RT_DEFINE_CLASS(UISwitch, nullptr)

void UISwitch::toggleByUser(BOOL on) {
    setOn(on);
    sendActionsForControlEvents(UIControlEventValueChanged);
}
