#include <ChatKit/CKTranscriptCollectionViewController.h>

#include <ChatKit/CKAttachmentBalloonView.h>
#include <ChatKit/CKColoredBalloonView.h>
#include <ChatKit/CKTranscriptMessageCell.h>
#include <ChatKit/CKTranscriptPluginBalloonView.h>
#include <ChatKit/CKUITheme.h>
#include <UIKit/UIScreen.h>
#include <objc/message.h>

RT_DEFINE_CLASS(CKTranscriptCollectionViewController, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"loadView">(), +[](id self, SEL) {
            rt::Ref<CKTranscriptCollectionView> transcript = rt::make<CKTranscriptCollectionView>();
            transcript->setFrame(UIScreen::mainScreen()->bounds()); // until its chat places it
            static_cast<CKTranscriptCollectionViewController*>(self)->setView(transcript);
        });
    // Whether balloons may draw through an opaque mask over this transcript.
    class_addMethod(
        cls, rt::sel<"shouldUseOpaqueMask">(), +[](id, SEL) -> BOOL { return YES; });
    class_addMethod(
        cls, rt::sel<"viewDidLoad">(), +[](id self, SEL cmd) {
            rt::sendSuper<void()>(self, CKTranscriptCollectionViewController::classObject(), cmd);
            static_cast<CKTranscriptCollectionViewController*>(self)->fillTranscript();
        });
})

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
rt::Ref<CKTranscriptLabelCell> labelCellFor(const CKMessageRecord& message, CKUITheme* theme) {
    rt::Ref<CKTranscriptLabelCell> cell = rt::make<CKTranscriptLabelCell>();
    cell->label()->setTextAlignment(message.kind == Kind::timestamp ? NSTextAlignmentCenter
                                                                    : NSTextAlignmentRight);
    rt::Ref<NSObject> colour = theme->grayTextColor();
    cell->setAttributedText(
        NSAttributedString::initWithString(message.text, {{NSForegroundColorAttributeName, colour}}));
    return cell;
}

} // namespace

void CKTranscriptCollectionViewController::fillTranscript() {
    rt::Ref<UICollectionView> transcript = collectionView();
    transcript->setContentInsetTop(kTopInset);
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    m_balloons.clear();
    m_labelCells.clear();
    std::vector<UICollectionView::Item> items;
    for (const CKMessageRecord& message : m_conversation.messages) {
        if (message.kind == Kind::timestamp || message.kind == Kind::status) {
            rt::Ref<CKTranscriptLabelCell> cell = labelCellFor(message, theme.get());
            m_labelCells.push_back(cell);
            items.push_back({cell, kLabelHeight, UICollectionView::Separator::none});
            continue;
        }
        rt::Ref<CKBalloonView> balloon = balloonFor(message, theme.get());
        const bool sent = message.kind == Kind::iMessage || message.kind == Kind::sms;
        rt::Ref<CKTranscriptMessageCell> cell = rt::make<CKTranscriptMessageCell>();
        cell->setBalloon(balloon, sent ? CKTranscriptMessageCell::Side::trailing
                                       : CKTranscriptMessageCell::Side::leading);
        m_balloons.push_back(balloon);
        items.push_back({cell, 0, UICollectionView::Separator::none});
    }
    transcript->setItems(std::move(items));
    updateItemHeights();
}

void CKTranscriptCollectionViewController::updateItemHeights() {
    rt::Ref<UICollectionView> transcript = collectionView();
    const CGFloat width = transcript->bounds().size.width > 0 ? transcript->bounds().size.width : 390;
    const std::vector<UICollectionView::Item>& items = transcript->items();
    for (size_t i = 0; i < items.size(); ++i)
        if (auto cell = rt::dynamicCast<CKTranscriptMessageCell>(items[i].cell))
            transcript->setItemHeight(i, cell->heightForWidth(width));
}
