#include "PQContextMenuControl.h"

#include "UIViewExtension.h"

#include <UIKit/UIFont.h>

RT_DEFINE_CLASS(PQContextMenuControl, nullptr)

id PQContextMenuControl::initImpl() {
    if (!rt::superCall<UIView::initWithFrameMethod>(this, CGRectZero))
        return nullptr;

    rt::Ref<UIImageView> chevron = rt::make<UIImageView>();
    chevron->setContentMode(UIViewContentModeScaleAspectFit);
    chevron->setTintColor(UIColor::secondaryLabelColor());
    chevron->setImage(UIImage::systemImageNamed("chevron.up.chevron.down"));
    setIcon(chevron);
    addSubview(chevron);
    UIViewExtension(chevron).size(CGSize{kIconSize, kIconSize});
    UIViewExtension(chevron).y(centerYAnchor());
    UIViewExtension(chevron).trailing(trailingAnchor(), 0.0);

    rt::Ref<UILabel> choice = rt::make<UILabel>();
    choice->setTextAlignment(NSTextAlignmentRight);
    choice->setTextColor(UIColor::secondaryLabelColor());
    choice->setFont(UIFont::systemFontOfSize(kTitleFontSize, UIFontWeightRegular));
    setTitle(choice);
    addSubview(choice);
    UIViewExtension(choice).y(centerYAnchor());
    UIViewExtension(choice).trailing(chevron->leadingAnchor(), kTitleToIcon);
    UIViewExtension(choice).leading(leadingAnchor(), 0.0);

    rt::Ref<UIButton> button = rt::make<UIButton>();
    setBtn(button);
    addSubview(button); // last, on top
    UIViewExtension(button).fill();
    return this;
}

void PQContextMenuControl::touchesBeganImpl(const UITouchSet& touches, id event) {
    touchesBeganSuper(touches, event);
    touchAnimateWithHighlighted(YES);
}
void PQContextMenuControl::touchesEndedImpl(const UITouchSet& touches, id event) {
    touchesEndedSuper(touches, event);
    touchAnimateWithHighlighted(NO);
}
void PQContextMenuControl::touchesCancelledImpl(const UITouchSet& touches, id event) {
    touchesCancelledSuper(touches, event);
    touchAnimateWithHighlighted(NO);
}

void PQContextMenuControl::touchAnimateWithHighlightedImpl(BOOL highlighted) {
    rt::Ref<PQContextMenuControl> control(this);
    UIView::animateWithDuration(kPressDuration, [control, highlighted] {
        control->setAlpha(highlighted ? kPressedAlpha : 1.0);
        control->setTransform(highlighted ? CGAffineTransformMakeScale(kPressedScale, kPressedScale)
                                          : CGAffineTransformIdentity);
    });
}
