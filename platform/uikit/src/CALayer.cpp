#include <UIKit/CALayer.h>

#include <UIKit/UIView.h>

#include <algorithm>

RT_DEFINE_CLASS(CALayer, nullptr)

void CALayer::setGradient(const std::vector<rt::Ref<UIColor>>& colours, UIView* span) {
    const bool varies = std::ranges::any_of(colours, [&](const rt::Ref<UIColor>& colour) {
        return colour && colours.front() && !colour->isEqual(colours.front());
    });
    const bool complete =
        std::ranges::all_of(colours, [](const rt::Ref<UIColor>& colour) { return !!colour; });
    if (colours.size() < 2 || !varies || !complete) {
        m_gradientColors.clear();
        m_gradientSpan = nullptr;
        return;
    }
    m_gradientColors = colours;
    m_gradientSpan = span;
}

rt::Ref<UIView> CALayer::gradientSpan() const {
    return m_gradientSpan.lock();
}
