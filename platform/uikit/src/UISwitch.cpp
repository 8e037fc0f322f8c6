#include <UIKit/UISwitch.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UISwitch, [](Class cls, Class) {
    // The platform's switch has one size.
    class_addMethod(
        cls, rt::sel<"intrinsicContentSize">(), +[](id, SEL) {
            return CGSize{51, 31};
        });
})

void UISwitch::toggleByUser(BOOL on) {
    setOn(on);
    sendActionsForControlEvents(UIControlEventValueChanged);
}
