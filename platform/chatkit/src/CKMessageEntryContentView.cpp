#include <ChatKit/CKMessageEntryContentView.h>

#include <ChatKit/CKUITheme.h>
#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKMessageEntryContentView, nullptr)

CKMessageEntryContentView::CKMessageEntryContentView(Class cls)
    : UIView(cls), m_textField(rt::make<UITextField>()),
      m_sendButton(UIButton::buttonWithType(UIButtonTypeSystem)) {
    layer()->setCornerRadius(kHeight / 2);
    layer()->setBorderWidth(1);
    m_textField->setPlaceholder(std::string("iMessage"));
    m_sendButton->setImage(UIImage::systemImageNamed("arrow.up.circle.fill"), 0);
    addSubview(m_textField);
    addSubview(m_sendButton);
}

void CKMessageEntryContentView::layoutSubviewsImpl() {
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    layer()->setBorderColor(UIColor::opaqueSeparatorColor());
    m_textField->setTextColor(theme->entryFieldTextColor());
    if (std::optional<std::string> placeholder = m_textField->placeholder()) {
        rt::Ref<NSObject> colour = theme->entryFieldPlaceholderTextColor();
        m_textField->setAttributedPlaceholder(
            NSAttributedString::initWithString(*placeholder, {{NSForegroundColorAttributeName, colour}}));
    }
    m_sendButton->setTintColor(theme->blue_sendButtonColor());

    const CGRect bounds = this->bounds();
    const CGFloat inset = (bounds.size.height - kSendButtonSize) / 2;
    m_sendButton->setFrame(
        CGRectMake(bounds.size.width - inset - kSendButtonSize, inset, kSendButtonSize, kSendButtonSize));
    m_textField->setFrame(CGRectMake(
        4, 0, std::max<CGFloat>(0, bounds.size.width - kSendButtonSize - 2 * inset - 4), bounds.size.height));
}
