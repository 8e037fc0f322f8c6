#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

#include <string>

// The layout: a circle of the view's width.
#define CKAVATARVIEW_METHODS(M, O, C) O(layoutSubviews)

// A contact's round picture: the initials of the name on a gray disc.
class CHATKIT_EXTERN CKAvatarView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKAvatarView, UIView)
    RT_METHODS(CKAVATARVIEW_METHODS)

    void setName(const std::string& name);
    rt::Ref<UILabel> initialsLabel() const { return m_initialsLabel; }

  private:
    rt::Ref<UILabel> m_initialsLabel;
};
