#include <UIKit/UIScreen.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIScreen, nullptr)

CGRect UIScreen::boundsImpl() {
    return CGRectMake(0, 0, kWidth, kHeight);
}

rt::Ref<UIScreen> UIScreen::mainScreen() {
    static const rt::Ref<UIScreen> screen = rt::make<UIScreen>();
    return screen;
}
