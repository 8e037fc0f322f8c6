#include <ChatKit/CKAttachmentBalloonView.h>

#include "SamplePicture.h"

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKAttachmentBalloonView, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<CKAttachmentBalloonView*>(self)->placeImage(); });
})

CKAttachmentBalloonView::CKAttachmentBalloonView(Class cls)
    : CKBalloonView(cls), m_imageView(rt::make<UIImageView>()) {
    m_imageView->setImage(chatkit::samplePicture(440, 330, 0.0));
    m_imageView->setContentMode(UIViewContentModeScaleAspectFill);
    addSubview(m_imageView);
}

CGSize CKAttachmentBalloonView::balloonSize(CGFloat maxWidth) const {
    return CGSizeMake(std::min(kWidth, maxWidth), kHeight);
}

void CKAttachmentBalloonView::placeImage() {
    m_imageView->setFrame(bounds());
}
