#pragma once
#include <ChatKit/CKBalloonView.h>
#include <UIKit/UIImageView.h>

#define CKATTACHMENTBALLOONVIEW_METHODS(M, O, C) O(layoutSubviews)

// A balloon showing a picture, rounded like the text balloons.
class CHATKIT_EXTERN CKAttachmentBalloonView : public CKBalloonView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKAttachmentBalloonView, CKBalloonView)
    RT_METHODS(CKATTACHMENTBALLOONVIEW_METHODS)

    static constexpr CGFloat kWidth = 220;
    static constexpr CGFloat kHeight = 165;

    rt::Ref<UIImageView> imageView() const { return m_imageView; }
    CGSize balloonSize(CGFloat maxWidth) const override;

  private:
    rt::Ref<UIImageView> m_imageView;
};
