#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

// One conversation of the list: name, summary, date and the chevron at the
// trailing edge, held in private instance variables as Messages holds them.
class CHATKIT_EXTERN CKConversationListCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListCell, UIView)
    ~CKConversationListCell() override;

    rt::Ref<UIView> chevronImageView() const { return m_chevronImageView; }

  private:
    rt::Ref<UIView> m_chevronImageView;
};
