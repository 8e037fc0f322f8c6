#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

#include <string>

// A contact's round picture: the initials of the name on a gray disc.
class CHATKIT_EXTERN CKAvatarView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKAvatarView, UIView)

    void setName(const std::string& name);
    rt::Ref<UILabel> initialsLabel() const { return m_initialsLabel; }

  private:
    // Runtime "layoutSubviews": a circle of the view's width.
    void placeInitials();

    rt::Ref<UILabel> m_initialsLabel;
};
