#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIButton.h>
#include <UIKit/UITextField.h>

// The layout: the field's colours from the theme, then its parts.
#define CKMESSAGEENTRYCONTENTVIEW_METHODS(M, O, C) O(layoutSubviews)

// The entry field itself: a rounded outline around the text view, its
// placeholder ("iMessage", or "Text Message" for SMS) and the send button.
class CHATKIT_EXTERN CKMessageEntryContentView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKMessageEntryContentView, UIView)
    RT_METHODS(CKMESSAGEENTRYCONTENTVIEW_METHODS)

    static constexpr CGFloat kHeight = 36;
    static constexpr CGFloat kSendButtonSize = 30;

    rt::Ref<UITextField> textField() const { return m_textField; }
    rt::Ref<UIButton> sendButton() const { return m_sendButton; }

  private:
    rt::Ref<UITextField> m_textField;
    rt::Ref<UIButton> m_sendButton;
};
