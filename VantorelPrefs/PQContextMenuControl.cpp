#include "PQContextMenuControl.h"

#include "UIViewExtension.h"

#include <UIKit/UIFont.h>

namespace {

PQContextMenuControl* controlOf(id self) {
    return static_cast<PQContextMenuControl*>(self);
}

id init(id self, SEL) {
    id made = rt::sendSuper<id(CGRect)>(self, PQContextMenuControl::classObject(),
                                        rt::sel<"initWithFrame:">(), CGRectZero);
    if (!made)
        return nullptr;
    PQContextMenuControl* control = controlOf(made);

    rt::Ref<UIImageView> icon = rt::make<UIImageView>();
    icon->setContentMode(UIViewContentModeScaleAspectFit);
    icon->setTintColor(UIColor::secondaryLabelColor());
    icon->setImage(UIImage::systemImageNamed("chevron.up.chevron.down"));
    control->setIcon(icon);
    control->addSubview(icon);
    UIViewExtension(icon).size(CGSize{PQContextMenuControl::kIconSize, PQContextMenuControl::kIconSize});
    UIViewExtension(icon).y(control->centerYAnchor());
    UIViewExtension(icon).trailing(control->trailingAnchor(), 0.0);

    rt::Ref<UILabel> title = rt::make<UILabel>();
    title->setTextAlignment(NSTextAlignmentRight);
    title->setTextColor(UIColor::secondaryLabelColor());
    title->setFont(UIFont::systemFontOfSize(PQContextMenuControl::kTitleFontSize, UIFontWeightRegular));
    control->setTitle(title);
    control->addSubview(title);
    UIViewExtension(title).y(control->centerYAnchor());
    UIViewExtension(title).trailing(icon->leadingAnchor(), PQContextMenuControl::kTitleToIcon);
    UIViewExtension(title).leading(control->leadingAnchor(), 0.0);

    rt::Ref<UIButton> button = rt::make<UIButton>();
    control->setBtn(button);
    control->addSubview(button); // last, on top
    UIViewExtension(button).fill();
    return made;
}

// The control's own touches: the base first, then the press animation.
template <rt::SelectorName Name, BOOL highlighted>
void touches(id self, SEL, const UITouchSet& set, id event) {
    rt::sendSuper<void(const UITouchSet&, id)>(self, PQContextMenuControl::classObject(), rt::sel<Name>(),
                                               set, event);
    controlOf(self)->touchAnimateWithHighlighted(highlighted);
}

void touchAnimateWithHighlighted(id self, SEL, BOOL highlighted) {
    rt::Ref<PQContextMenuControl> control(controlOf(self));
    UIView::animateWithDuration(PQContextMenuControl::kPressDuration, [control, highlighted] {
        control->setAlpha(highlighted ? PQContextMenuControl::kPressedAlpha : 1.0);
        control->setTransform(highlighted ? CGAffineTransformMakeScale(PQContextMenuControl::kPressedScale,
                                                                       PQContextMenuControl::kPressedScale)
                                          : CGAffineTransformIdentity);
    });
}

} // namespace

RT_DEFINE_CLASS(PQContextMenuControl, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"init">(), &::init);
    class_addMethod(cls, rt::sel<"touchesBegan:withEvent:">(), &::touches<"touchesBegan:withEvent:", YES>);
    class_addMethod(cls, rt::sel<"touchesEnded:withEvent:">(), &::touches<"touchesEnded:withEvent:", NO>);
    class_addMethod(cls, rt::sel<"touchesCancelled:withEvent:">(),
                    &::touches<"touchesCancelled:withEvent:", NO>);
    class_addMethod(cls, rt::sel<"touchAnimateWithHighlighted:">(), &::touchAnimateWithHighlighted);
})

id PQContextMenuControl::init() {
    return rt::send<id()>(this, rt::sel<"init">());
}

void PQContextMenuControl::touchAnimateWithHighlighted(BOOL highlighted) {
    rt::send<void(BOOL)>(this, rt::sel<"touchAnimateWithHighlighted:">(), highlighted);
}
