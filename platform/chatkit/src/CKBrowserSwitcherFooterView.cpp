#include <ChatKit/CKBrowserSwitcherFooterView.h>

#include <objc/message.h>

RT_DEFINE_CLASS(CKBrowserSwitcherFooterView, nullptr)

CKBrowserSwitcherFooterView::CKBrowserSwitcherFooterView(Class cls) : UIView(cls) {
    // Photos, the store, memoji, music, search, stickers, the rest.
    const rt::Ref<UIColor> icons[] = {UIColor::systemOrangeColor(), UIColor::systemBlueColor(),
                                      UIColor::systemYellowColor(), UIColor::systemPinkColor(),
                                      UIColor::systemRedColor(),    UIColor::systemPurpleColor(),
                                      UIColor::systemGrayColor()};
    for (const rt::Ref<UIColor>& colour : icons) {
        rt::Ref<UIView> icon = rt::make<UIView>();
        icon->setBackgroundColor(colour);
        icon->layer()->setCornerRadius(8);
        addSubview(icon);
    }
}

void CKBrowserSwitcherFooterView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    const auto& icons = subviews();
    if (icons.empty())
        return;
    const CGFloat slot = bounds.size.width / static_cast<CGFloat>(icons.size());
    for (size_t i = 0; i < icons.size(); ++i)
        icons[i]->setFrame(CGRectMake(slot * static_cast<CGFloat>(i) + (slot - kIconSize) / 2,
                                      (bounds.size.height - kIconSize) / 2, kIconSize, kIconSize));
}
