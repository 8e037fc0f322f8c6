#pragma once
#include <ChatKit/CKBalloonView.h>

// A text balloon filled with its service's colours (iMessage, SMS, incoming).
class CHATKIT_EXTERN CKColoredBalloonView : public CKBalloonView {
    RT_OBJECT(CKColoredBalloonView, CKBalloonView)
};
