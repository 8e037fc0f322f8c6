#include <UIKit/UIStatusBar.h>

#include <UIKit/UIFont.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIStatusBar, nullptr)

namespace {

rt::Ref<UIImageView> icon(const char* symbol) {
    rt::Ref<UIImageView> view = rt::make<UIImageView>();
    view->setImage(UIImage::systemImageNamed(symbol));
    view->setTintColor(UIStatusBar::contentColor());
    return view;
}

} // namespace

UIStatusBar::UIStatusBar(Class cls)
    : UIView(cls), m_time(rt::make<UILabel>()), m_signal(icon("cellularbars")), m_wifi(icon("wifi")),
      m_battery(icon("battery.100")) {
    m_time->setText(kTime);
    m_time->setFont(UIFont::systemFontOfSize(17, UIFontWeightSemibold));
    m_time->setTextAlignment(NSTextAlignmentCenter);
    m_time->setTextColor(contentColor());
    for (UIView* item : {static_cast<UIView*>(m_time.get()), static_cast<UIView*>(m_signal.get()),
                         static_cast<UIView*>(m_wifi.get()), static_cast<UIView*>(m_battery.get())})
        addSubview(item);
}

rt::Ref<UIColor> UIStatusBar::contentColor() {
    return UIColor::colorWithLight({0, 0, 0, 1}, {1, 1, 1, 1});
}

void UIStatusBar::layoutSubviewsImpl() {
    const CGFloat width = bounds().size.width;
    // Either side of the sensor housing, level with its middle.
    m_time->setFrame(CGRectMake(24, 13, 84, 22));
    m_battery->setFrame(CGRectMake(width - 26 - 27, 17.5, 27, 13));
    m_wifi->setFrame(CGRectMake(width - 26 - 27 - 6 - 17, 18, 17, 12));
    m_signal->setFrame(CGRectMake(width - 26 - 27 - 6 - 17 - 6 - 18, 18, 18, 12));
}
