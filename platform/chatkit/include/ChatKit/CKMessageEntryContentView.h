#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIButton.h>
#include <UIKit/UITextField.h>

// The entry field itself: a rounded outline around the text view, its
// placeholder ("iMessage", or "Text Message" for SMS) and the send button.
class CHATKIT_EXTERN CKMessageEntryContentView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKMessageEntryContentView, UIView)

    static constexpr CGFloat kHeight = 36;
    static constexpr CGFloat kSendButtonSize = 30;

    rt::Ref<UITextField> textField() const { return m_textField; }
    rt::Ref<UIButton> sendButton() const { return m_sendButton; }

  private:
    // Runtime "layoutSubviews": the field's colours from the theme, then its parts.
    void placeContent();

    rt::Ref<UITextField> m_textField;
    rt::Ref<UIButton> m_sendButton;
};
