#pragma once
#include <ChatKit/CKBalloonView.h>
#include <UIKit/UIImageView.h>

// A balloon showing a picture, rounded like the text balloons.
class CHATKIT_EXTERN CKAttachmentBalloonView : public CKBalloonView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKAttachmentBalloonView, CKBalloonView)

    static constexpr CGFloat kWidth = 220;
    static constexpr CGFloat kHeight = 165;

    rt::Ref<UIImageView> imageView() const { return m_imageView; }
    CGSize balloonSize(CGFloat maxWidth) const override;

  private:
    // Runtime "layoutSubviews".
    void placeImage();

    rt::Ref<UIImageView> m_imageView;
};
