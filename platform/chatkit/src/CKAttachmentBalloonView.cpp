#include <ChatKit/CKAttachmentBalloonView.h>

#include "SamplePicture.h"

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKAttachmentBalloonView, nullptr)

CKAttachmentBalloonView::CKAttachmentBalloonView(Class cls)
    : CKBalloonView(cls), m_imageView(rt::make<UIImageView>()) {
    m_imageView->setImage(chatkit::samplePicture(440, 330, 0.0));
    m_imageView->setContentMode(UIViewContentModeScaleAspectFill);
    addSubview(m_imageView);
}

CGSize CKAttachmentBalloonView::balloonSize(CGFloat maxWidth) const {
    return CGSizeMake(std::min(kWidth, maxWidth), kHeight);
}

void CKAttachmentBalloonView::layoutSubviewsImpl() {
    m_imageView->setFrame(bounds());
}
