#include <UIKit/UIVisualEffectView.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UIVisualEffectView, [](Class cls, Class) {
    // The content view keeps the effect view's size.
    class_addMethod(
        cls, rt::sel<"setFrame:">(), +[](id self, SEL cmd, const CGRect& frame) {
            rt::sendSuper<void(const CGRect&)>(self, UIVisualEffectView::classObject(), cmd, frame);
            auto* view = static_cast<UIVisualEffectView*>(self);
            if (view->m_contentView)
                view->m_contentView->setFrame(view->bounds());
        });
})

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
