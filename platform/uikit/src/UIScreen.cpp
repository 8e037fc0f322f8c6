#include <UIKit/UIScreen.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIScreen, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"bounds">(),
        +[](id, SEL) { return CGRectMake(0, 0, UIScreen::kWidth, UIScreen::kHeight); });
})

rt::Ref<UIScreen> UIScreen::mainScreen() {
    static const rt::Ref<UIScreen> screen = rt::make<UIScreen>();
    return screen;
}

CGRect UIScreen::bounds() {
    return rt::send<CGRect()>(this, rt::sel<"bounds">());
}
