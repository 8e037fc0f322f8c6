#include <ChatKit/CKMessageEntryView.h>

#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIVisualEffectView.h>
#include <objc/message.h>

#include <algorithm>

namespace {

rt::Ref<UIVisualEffectView> chromeBlur() {
    rt::Ref<UIVisualEffectView> blur = rt::make<UIVisualEffectView>();
    blur->setEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemChromeMaterial));
    return blur;
}

rt::Ref<UIButton> symbolButton(const char* symbol) {
    rt::Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setImage(UIImage::systemImageNamed(symbol), 0);
    button->setTintColor(UIColor::systemGrayColor());
    return button;
}

} // namespace

RT_DEFINE_CLASS(CKMessageEntryView, nullptr)

CKMessageEntryView::CKMessageEntryView(Class cls)
    : UIView(cls), m_contentView(rt::make<CKMessageEntryContentView>()),
      m_appStrip(rt::make<CKBrowserSwitcherFooterView>()), m_cameraButton(symbolButton("camera.fill")),
      m_appsButton(symbolButton("paintbrush")) {
    rt::Ref<UIVisualEffectView> background = chromeBlur();
    rt::Ref<UIVisualEffectView> appStripBlur = chromeBlur();
    for (UIView* view : {static_cast<UIView*>(background.get()), static_cast<UIView*>(appStripBlur.get()),
                         static_cast<UIView*>(m_appStrip.get()), static_cast<UIView*>(m_cameraButton.get()),
                         static_cast<UIView*>(m_appsButton.get()), static_cast<UIView*>(m_contentView.get())})
        addSubview(view);
    setBackgroundView(background);
    setAppStripBackgroundBlurView(appStripBlur);
}

void CKMessageEntryView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    const CGFloat width = bounds.size.width;
    if (rt::Ref<UIView> background = backgroundView())
        background->setFrame(CGRectMake(0, 0, width, kEntryRowHeight));
    const CGFloat strip = std::max<CGFloat>(0, bounds.size.height - kEntryRowHeight);
    if (rt::Ref<UIView> blur = appStripBackgroundBlurView())
        blur->setFrame(CGRectMake(0, kEntryRowHeight, width, strip));
    m_appStrip->setFrame(CGRectMake(0, kEntryRowHeight, width, strip));
    const CGFloat button = 30, top = (kEntryRowHeight - button) / 2;
    m_cameraButton->setFrame(CGRectMake(10, top, button, button));
    m_appsButton->setFrame(CGRectMake(46, top, button, button));
    const CGFloat fieldX = 84;
    m_contentView->setFrame(CGRectMake(fieldX, (kEntryRowHeight - CKMessageEntryContentView::kHeight) / 2,
                                       std::max<CGFloat>(0, width - fieldX - 12),
                                       CKMessageEntryContentView::kHeight));
}
