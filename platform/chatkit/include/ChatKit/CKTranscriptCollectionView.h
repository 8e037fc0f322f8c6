#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UICollectionView.h>

// The scrolling view of a conversation's messages.
class CHATKIT_EXTERN CKTranscriptCollectionView : public UICollectionView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKTranscriptCollectionView, UICollectionView)
};
