#pragma once
#include <ChatKit/CKAvatarView.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

// One conversation of the list: avatar, name, summary, date and the chevron
// at the trailing edge, the chevron held in a private instance variable as
// Messages holds it. Colours come from the theme at each layout pass.
#define CKCONVERSATIONLISTCELL_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKConversationListCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListCell, UIView)
    RT_METHODS(CKCONVERSATIONLISTCELL_METHODS)

  public:
    ~CKConversationListCell() override;

    static constexpr CGFloat kHeight = 76;
    static constexpr CGFloat kAvatarSize = 44;
    static constexpr CGFloat kAvatarLeading = 24;
    static constexpr CGFloat kTextLeading = 80; // also where the separators start
    static constexpr CGFloat kTrailing = 16;

    void setConversation(const CKConversationRecord& conversation);

    rt::Ref<UIImageView> chevronImageView() const { return m_chevronImageView; }
    rt::Ref<UILabel> nameLabel() const { return m_nameLabel; }
    rt::Ref<UILabel> summaryLabel() const { return m_summaryLabel; }
    rt::Ref<UILabel> dateLabel() const { return m_dateLabel; }
    rt::Ref<CKAvatarView> avatarView() const { return m_avatarView; }

  private:
    rt::Ref<CKAvatarView> m_avatarView;
    rt::Ref<UILabel> m_nameLabel;
    rt::Ref<UILabel> m_summaryLabel;
    rt::Ref<UILabel> m_dateLabel;
    rt::Ref<UIImageView> m_chevronImageView;
};
