#include <ChatKit/CKTranscriptCollectionViewController.h>

#include <ChatKit/CKAttachmentBalloonView.h>
#include <ChatKit/CKColoredBalloonView.h>
#include <ChatKit/CKTranscriptMessageCell.h>
#include <ChatKit/CKTranscriptPluginBalloonView.h>
#include <ChatKit/CKUITheme.h>
#include <UIKit/UIScreen.h>
#include <objc/message.h>

#include <algorithm>
#include <cmath>

RT_DEFINE_CLASS(CKTranscriptCollectionViewController, nullptr)

void CKTranscriptCollectionViewController::loadViewImpl() {
    rt::Ref<CKTranscriptCollectionView> transcript = rt::make<CKTranscriptCollectionView>();
    transcript->setFrame(UIScreen::mainScreen()->bounds()); // until its chat places it
    setView(transcript);
}

BOOL CKTranscriptCollectionViewController::shouldUseOpaqueMaskImpl() {
    return YES;
}

void CKTranscriptCollectionViewController::setConversation(CKConversationRecord conversation) {
    m_conversation = std::move(conversation);
    setTitle(m_conversation.name);
}

namespace {

using Kind = CKMessageRecord::Kind;

rt::Ref<CKBalloonView> balloonFor(const CKMessageRecord& message, CKUITheme* theme) {
    switch (message.kind) {
    case Kind::iMessage:
    case Kind::sms:
    case Kind::incoming: {
        rt::Ref<CKColoredBalloonView> balloon = rt::make<CKColoredBalloonView>();
        if (message.kind == Kind::iMessage)
            balloon->setMessage(message.text, theme->blue_balloonColors(), theme->blue_balloonTextColor());
        else if (message.kind == Kind::sms)
            balloon->setMessage(message.text, theme->green_balloonColors(), theme->green_balloonTextColor());
        else
            balloon->setMessage(message.text, theme->gray_balloonColors(), theme->gray_balloonTextColor());
        return balloon;
    }
    case Kind::picture:
        return rt::make<CKAttachmentBalloonView>();
    case Kind::link: {
        rt::Ref<CKTranscriptPluginBalloonView> balloon = rt::make<CKTranscriptPluginBalloonView>();
        balloon->setLink(message.text, message.detail, theme->gray_balloonColors(),
                         theme->gray_balloonTextColor());
        return balloon;
    }
    case Kind::timestamp:
    case Kind::status:
        break;
    }
    return nullptr;
}

// Date lines are centred; a status sits under the last message sent.
void configureLabelCell(CKTranscriptLabelCell* cell, const CKMessageRecord& message, CKUITheme* theme) {
    cell->label()->setTextAlignment(message.kind == Kind::timestamp ? NSTextAlignmentCenter
                                                                    : NSTextAlignmentRight);
    rt::Ref<NSObject> colour = theme->grayTextColor();
    cell->setAttributedText(
        NSAttributedString::initWithString(message.text, {{NSForegroundColorAttributeName, colour}}));
}

bool isLabel(const CKMessageRecord& message) {
    return message.kind == Kind::timestamp || message.kind == Kind::status;
}

} // namespace

CGFloat CKTranscriptCollectionViewController::estimatedHeight(const CKMessageRecord& message, CGFloat width) {
    // An average glyph of the balloon's font, in points.
    constexpr CGFloat kGlyphWidth = 8.5;
    constexpr CGFloat kLineHeight = 21;
    switch (message.kind) {
    case Kind::timestamp:
    case Kind::status:
        return kLabelHeight;
    case Kind::picture:
        return CKAttachmentBalloonView::kHeight + CKTranscriptMessageCell::kSpacing;
    case Kind::link:
        return CKTranscriptPluginBalloonView::kImageHeight + CKTranscriptPluginBalloonView::kCaptionHeight +
               CKTranscriptMessageCell::kSpacing;
    case Kind::iMessage:
    case Kind::sms:
    case Kind::incoming:
        break;
    }
    const CGFloat textWidth = std::max<CGFloat>(1, width * CKTranscriptMessageCell::kMaxBalloonShare -
                                                       2 * CKColoredBalloonView::kHorizontalPadding);
    const CGFloat lines =
        std::max<CGFloat>(1, std::ceil(static_cast<CGFloat>(message.text.size()) * kGlyphWidth / textWidth));
    return lines * kLineHeight + 2 * CKColoredBalloonView::kVerticalPadding +
           CKTranscriptMessageCell::kSpacing;
}

void CKTranscriptCollectionViewController::viewDidLoadImpl() {
    viewDidLoadSuper();
    rt::Ref<UICollectionView> transcript = collectionView();
    transcript->setContentInsetTop(kTopInset);
    UICollectionView::DataSource source;
    source.count = m_conversation.messages.size();
    source.estimatedHeight = weakly(this, &Self::messageHeight);
    source.cell = weakly(this, &Self::messageCell);
    source.measure = [](UIView* cell, size_t, CGFloat width) -> CGFloat {
        if (auto message = rt::dynamicCast<CKTranscriptMessageCell>(rt::Ref<UIView>(cell)))
            return message->heightForWidth(width > 0 ? width : 390);
        return kLabelHeight;
    };
    transcript->setDataSource(std::move(source));
    transcript->scrollToBottom();
}

CGFloat CKTranscriptCollectionViewController::messageHeight(size_t index, CGFloat width) {
    return estimatedHeight(m_conversation.messages[index], width > 0 ? width : 390);
}

rt::Ref<UIView> CKTranscriptCollectionViewController::messageCell(UICollectionView* view, size_t index) {
    const CKMessageRecord& message = m_conversation.messages[index];
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    if (isLabel(message)) {
        rt::Ref<CKTranscriptLabelCell> cell = view->dequeueReusableCell<CKTranscriptLabelCell>("label");
        configureLabelCell(cell, message, theme);
        return cell;
    }
    const bool sent = message.kind == Kind::iMessage || message.kind == Kind::sms;
    rt::Ref<CKTranscriptMessageCell> cell = view->dequeueReusableCell<CKTranscriptMessageCell>("message");
    cell->setBalloon(balloonFor(message, theme),
                     sent ? CKTranscriptMessageCell::Side::trailing : CKTranscriptMessageCell::Side::leading);
    return cell;
}

std::vector<rt::Ref<CKBalloonView>> CKTranscriptCollectionViewController::balloonViews() {
    std::vector<rt::Ref<CKBalloonView>> balloons;
    for (const rt::Ref<CKTranscriptMessageCell>& cell : visibleCellsOfType<CKTranscriptMessageCell>())
        if (cell->balloonView())
            balloons.push_back(cell->balloonView());
    return balloons;
}

std::vector<rt::Ref<CKTranscriptLabelCell>> CKTranscriptCollectionViewController::labelCells() {
    return visibleCellsOfType<CKTranscriptLabelCell>();
}
