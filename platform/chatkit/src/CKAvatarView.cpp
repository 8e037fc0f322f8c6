#include <ChatKit/CKAvatarView.h>

#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <cctype>
#include <sstream>

namespace {

// "Mia Hartley" gives "MH"; a single word gives its first letter.
std::string initialsOf(const std::string& name) {
    std::istringstream words(name);
    std::string initials;
    for (std::string word; words >> word && initials.size() < 2;)
        if (std::isalpha(static_cast<unsigned char>(word[0])))
            initials += static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    return initials;
}

} // namespace

RT_DEFINE_CLASS(CKAvatarView, nullptr)

CKAvatarView::CKAvatarView(Class cls) : UIView(cls), m_initialsLabel(rt::make<UILabel>()) {
    setBackgroundColor(UIColor::systemGrayColor());
    m_initialsLabel->setTextColor(UIColor::whiteColor());
    m_initialsLabel->setTextAlignment(NSTextAlignmentCenter);
    addSubview(m_initialsLabel);
}

void CKAvatarView::setName(const std::string& name) {
    m_initialsLabel->setText(initialsOf(name));
}

void CKAvatarView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    layer()->setCornerRadius(bounds.size.width / 2);
    m_initialsLabel->setFont(UIFont::systemFontOfSize(bounds.size.width * 0.4, UIFontWeightSemibold));
    m_initialsLabel->setFrame(bounds);
}
