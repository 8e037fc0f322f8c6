#include <UIKit/UISwipeActionStandardButton.h>

#include <UIKit/TextMeasurement.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

namespace {

// What the plain button answers, kept as a subview of this one.
template <class View> rt::Ref<View> adopted(id self, SEL cmd) {
    auto* button = static_cast<UISwipeActionStandardButton*>(self);
    rt::Ref<View> view =
        rt::sendSuper<rt::Ref<View>()>(self, UISwipeActionStandardButton::classObject(), cmd);
    if (view && view->superview().get() != button) {
        button->addSubview(view);
        button->setNeedsLayout();
    }
    return view;
}

} // namespace

RT_DEFINE_CLASS(UISwipeActionStandardButton, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"imageView">(), +[](id self, SEL cmd) { return adopted<UIImageView>(self, cmd); });
    class_addMethod(
        cls, rt::sel<"titleLabel">(), +[](id self, SEL cmd) { return adopted<UILabel>(self, cmd); });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<UISwipeActionStandardButton*>(self)->placeContent(); });
})

void UISwipeActionStandardButton::placeContent() {
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
