#include <UIKit/UIColorPickerViewController.h>

#include <objc/message.h>

namespace {

void tellDelegate(UIColorPickerViewController* picker, SEL message) {
    rt::Ref<objc_object> delegate = picker->delegate();
    if (delegate && class_respondsToSelector(delegate->isa(), message))
        rt::send<void(UIColorPickerViewController*)>(delegate, message, picker);
}

} // namespace

RT_DEFINE_CLASS(UIColorPickerViewController, nullptr)

void UIColorPickerViewController::_userDidSelectColor(UIColor* colour) {
    if (!colour)
        return;
    rt::Ref<UIColor> picked(colour);
    if (!supportsAlpha()) {
        const UIColor::Components c = colour->components();
        picked = UIColor::colorWithRed(c.red, c.green, c.blue, 1.0);
    }
    setSelectedColor(picked);
    tellDelegate(this, rt::sel<"colorPickerViewControllerDidSelectColor:">());
}

void UIColorPickerViewController::_userDidFinish() {
    rt::Ref<UIColorPickerViewController> keep(this); // the presenter drops its reference
    if (presentingViewController())
        dismissViewControllerAnimated(YES, nullptr);
    tellDelegate(this, rt::sel<"colorPickerViewControllerDidFinish:">());
}
