#include <UIKit/UIView.h>

#include <atomic>

namespace {

std::atomic<double> g_lastDuration{0};

} // namespace

void UIView::animateWithDurationImpl(double duration, const std::function<void()>& animations) {
    g_lastDuration = duration;
    if (animations)
        animations();
}

double UIView::_lastAnimationDuration() {
    return g_lastDuration;
}
