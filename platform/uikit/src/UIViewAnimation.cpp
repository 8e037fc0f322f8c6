#include <UIKit/UIView.h>

#include <objc/message.h>

#include <atomic>

namespace {

std::atomic<double> g_lastDuration{0};

using AnimateMethod = void(double, const std::function<void()>&);

void animate(id, SEL, double duration, const std::function<void()>& animations) {
    g_lastDuration = duration;
    if (animations)
        animations();
}

// A class method of UIView, added once the class exists.
[[maybe_unused]] const bool registered = [] {
    class_addMethod(object_getClass(UIView::classObject()), rt::sel<"animateWithDuration:animations:">(),
                    &animate);
    return true;
}();

} // namespace

void UIView::animateWithDuration(double duration, const std::function<void()>& animations) {
    rt::send<AnimateMethod>(classObject(), rt::sel<"animateWithDuration:animations:">(), duration,
                            animations);
}

double UIView::_lastAnimationDuration() {
    return g_lastDuration;
}
