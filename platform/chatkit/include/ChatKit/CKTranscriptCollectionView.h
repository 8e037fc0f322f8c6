#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The scrolling view of a conversation's messages.
class CHATKIT_EXTERN CKTranscriptCollectionView : public UIView {
    RT_OBJECT(CKTranscriptCollectionView, UIView)
};
