#include <ChatKit/CKBalloonView.h>

RT_DEFINE_CLASS(CKBalloonView, nullptr)

CKBalloonView::CKBalloonView(Class cls) : UIView(cls) {
    layer()->setCornerRadius(kCornerRadius);
    setClipsToBounds(YES);
}

CGSize CKBalloonView::balloonSize(CGFloat maxWidth) const {
    return CGSizeMake(maxWidth, 2 * kCornerRadius);
}
