#pragma once
#include <ChatKit/CKBalloonView.h>

// A balloon showing a picture.
class CHATKIT_EXTERN CKAttachmentBalloonView : public CKBalloonView {
    RT_OBJECT(CKAttachmentBalloonView, CKBalloonView)
};
