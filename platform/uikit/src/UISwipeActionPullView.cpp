#include <UIKit/UISwipeActionPullView.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UISwipeActionPullView, nullptr)

rt::Ref<UISwipeActionStandardButton> UISwipeActionPullView::addAction(UIImage* icon, UIColor* colour) {
    rt::Ref<UISwipeActionStandardButton> button = rt::make<UISwipeActionStandardButton>();
    button->setImage(icon, 0);
    button->setBackgroundColor(colour);
    button->imageView()->setTintColor(UIColor::whiteColor());
    addSubview(button);
    setNeedsLayout();
    return button;
}

void UISwipeActionPullView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    const auto& buttons = subviews();
    if (buttons.empty())
        return;
    const CGFloat width = bounds.size.width / static_cast<CGFloat>(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setFrame(CGRectMake(width * static_cast<CGFloat>(i), 0, width, bounds.size.height));
}
