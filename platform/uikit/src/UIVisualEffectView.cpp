#include <UIKit/UIVisualEffectView.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIVisualEffectView, nullptr)

void UIVisualEffectView::setFrameImpl(const CGRect& frame) {
    setFrameSuper(frame);
    if (m_contentView)
        m_contentView->setFrame(bounds());
}

UIVisualEffectView* UIVisualEffectView::initWithEffect(UIVisualEffect* effect) {
    setEffect(effect);
    return this;
}

rt::Ref<UIView> UIVisualEffectView::contentView() {
    if (!m_contentView) {
        m_contentView = rt::make<UIView>();
        m_contentView->setFrame(bounds());
        addSubview(m_contentView);
    }
    return m_contentView;
}
