#pragma once
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

// The layout: the time in the leading corner, the icons in the trailing one.
#define UISTATUSBAR_METHODS(M, O, C) O(layoutSubviews)

// The strip above every app: the time, signal, Wi-Fi and a full battery. It
// keeps the app's style for the appearance (dark content in the light look,
// light content in the dark one), whatever colour the bar under it takes.
class UIKIT_EXTERN UIStatusBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UIStatusBar, UIView)
    RT_METHODS(UISTATUSBAR_METHODS)

    static constexpr CGFloat kHeight = 47;
    static constexpr const char* kTime = "9:41";

    // Black in the light look, white in the dark one; the home indicator's too.
    static rt::Ref<UIColor> contentColor();

    rt::Ref<UILabel> timeLabel() const { return m_time; }

  private:
    rt::Ref<UILabel> m_time;
    rt::Ref<UIImageView> m_signal;
    rt::Ref<UIImageView> m_wifi;
    rt::Ref<UIImageView> m_battery;
};
