#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The list cell that hosts one conversation's cell view.
class CHATKIT_EXTERN CKConversationListCollectionViewConversationCell : public UIView {
    RT_OBJECT(CKConversationListCollectionViewConversationCell, UIView)
};
