#include <UIKit/UISwipeActionStandardButton.h>

#include <UIKit/TextMeasurement.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UISwipeActionStandardButton, nullptr)

template <class View> rt::Ref<View> UISwipeActionStandardButton::adopt(rt::Ref<View> view) {
    if (view && view->superview().get() != this) {
        addSubview(view);
        setNeedsLayout();
    }
    return view;
}

rt::Ref<UIImageView> UISwipeActionStandardButton::imageViewImpl() {
    return adopt(imageViewSuper());
}
rt::Ref<UILabel> UISwipeActionStandardButton::titleLabelImpl() {
    return adopt(titleLabelSuper());
}

void UISwipeActionStandardButton::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    rt::Ref<UIImageView> icon = imageView();
    rt::Ref<UILabel> title = titleLabel();
    const CGSize iconSize = icon->image() ? icon->image()->size() : CGSize{0, 0};
    const bool titled = !title->text().empty();
    const CGFloat titleHeight =
        titled ? uikit::measureTextLine(title->text(), title->font()->pointSize()).height : 0;
    const CGFloat gap = titled && iconSize.height > 0 ? 4 : 0;
    const CGFloat top = (bounds.size.height - iconSize.height - gap - titleHeight) / 2;
    icon->setFrame(
        CGRectMake((bounds.size.width - iconSize.width) / 2, top, iconSize.width, iconSize.height));
    title->setFrame(CGRectMake(0, top + iconSize.height + gap, bounds.size.width, titleHeight));
    title->setHidden(titled ? NO : YES);
    if (!title->textColor()) // as the plain button draws its title: the state's colour, else white
        title->setTextColor(titleColorForNormalState() ? titleColorForNormalState().get()
                                                       : UIColor::whiteColor().get());
}
