#include <ChatKit/CKConversationListCell.h>

#include <ChatKit/CKUITheme.h>
#include <UIKit/TextMeasurement.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

namespace {

constexpr CGFloat kNameSize = 17;
constexpr CGFloat kDetailSize = 15;
constexpr CGFloat kChevronWidth = 8;
constexpr CGFloat kChevronHeight = 13;

rt::Ref<UILabel> makeLabel(CGFloat size, UIFontWeight weight) {
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setFont(UIFont::systemFontOfSize(size, weight));
    return label;
}

} // namespace

RT_DEFINE_CLASS(CKConversationListCell, [](Class cls, Class) {
    class_addIvar(cls, "_chevronImageView", &CKConversationListCell::m_chevronImageView);
})

CKConversationListCell::CKConversationListCell(Class cls)
    : UIView(cls), m_avatarView(rt::make<CKAvatarView>()),
      m_nameLabel(makeLabel(kNameSize, UIFontWeightSemibold)),
      m_summaryLabel(makeLabel(kDetailSize, UIFontWeightRegular)),
      m_dateLabel(makeLabel(kDetailSize, UIFontWeightRegular)), m_chevronImageView(rt::make<UIImageView>()) {
    m_summaryLabel->setNumberOfLines(2);
    m_dateLabel->setTextAlignment(NSTextAlignmentRight);
    m_chevronImageView->setImage(UIImage::systemImageNamed("chevron.right"));
    m_chevronImageView->setTintColor(UIColor::tertiaryLabelColor());
    for (UIView* view : {static_cast<UIView*>(m_avatarView.get()), static_cast<UIView*>(m_nameLabel.get()),
                         static_cast<UIView*>(m_summaryLabel.get()), static_cast<UIView*>(m_dateLabel.get()),
                         static_cast<UIView*>(m_chevronImageView.get())})
        addSubview(view);
}

CKConversationListCell::~CKConversationListCell() = default;

void CKConversationListCell::setConversation(const CKConversationRecord& conversation) {
    m_avatarView->setName(conversation.name);
    m_nameLabel->setText(conversation.name);
    m_summaryLabel->setText(conversation.summary);
    m_dateLabel->setText(conversation.date);
    setNeedsLayout();
}

void CKConversationListCell::layoutSubviewsImpl() {
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    m_nameLabel->setTextColor(theme->conversationListSenderColor());
    m_summaryLabel->setTextColor(theme->grayTextColor());
    m_dateLabel->setTextColor(theme->grayTextColor());

    const CGRect bounds = this->bounds();
    const CGFloat width = bounds.size.width;
    const CGFloat top = 11;
    m_avatarView->setFrame(
        CGRectMake(kAvatarLeading, (bounds.size.height - kAvatarSize) / 2, kAvatarSize, kAvatarSize));
    const CGFloat chevronX = width - kTrailing - kChevronWidth;
    m_chevronImageView->setFrame(CGRectMake(chevronX, top + 4, kChevronWidth, kChevronHeight));
    const CGFloat dateWidth = uikit::measureTextLine(m_dateLabel->text(), kDetailSize).width;
    const CGFloat dateX = chevronX - 6 - dateWidth;
    m_dateLabel->setFrame(CGRectMake(dateX, top, dateWidth, 20));
    m_nameLabel->setFrame(
        CGRectMake(kTextLeading, top - 1, std::max<CGFloat>(0, dateX - 8 - kTextLeading), 22));
    // A summary that fits on one line sits right under the name.
    const CGFloat summaryWidth = std::max<CGFloat>(0, width - kTrailing - kTextLeading);
    const CGSize summary = uikit::measureTextLine(m_summaryLabel->text(), kDetailSize);
    const bool twoLines = summary.width > summaryWidth;
    m_summaryLabel->setFrame(
        CGRectMake(kTextLeading, top + 22, summaryWidth, twoLines ? 2 * summary.height : summary.height));
}
