#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// One conversation in the search results list.
class CHATKIT_EXTERN CKConversationListEmbeddedStandardTableViewCell : public UIView {
    RT_OBJECT(CKConversationListEmbeddedStandardTableViewCell, UIView)
};
