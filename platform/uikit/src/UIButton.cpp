#include <UIKit/UIButton.h>

#include <UIKit/TextMeasurement.h>
#include <UIKit/UIAction.h>
#include <UIKit/UIMenu.h>
#include <UIKit/UITouch.h>
#include <objc/message.h>

#include <algorithm>

namespace {

bool holds(const UIMenu* menu, const UIAction* action) {
    for (const rt::Ref<UIMenuElement>& child : menu->children()) {
        if (child.get() == action)
            return true;
        if (auto submenu = rt::dynamicCast<UIMenu>(child.get()); submenu && holds(submenu, action))
            return true;
    }
    return false;
}

} // namespace

RT_DEFINE_CLASS(UIButton, nullptr)

// A tap that ends inside presents the menu when it is the primary action.
void UIButton::touchesEndedImpl(const UITouchSet& touches, id event) {
    const bool wasHighlighted = isHighlighted();
    touchesEndedSuper(touches, event);
    if (!wasHighlighted || touches.empty() || !showsMenuAsPrimaryAction() || !menu())
        return;
    const CGPoint at = touches.front()->locationInView(this);
    const CGSize size = bounds().size;
    if (at.x >= 0 && at.y >= 0 && at.x < size.width && at.y < size.height)
        m_presentedMenu = menu();
}

// The image beside the title, each at its natural size.
CGSize UIButton::intrinsicContentSizeImpl() {
    CGSize size{0, 0};
    if (m_imageView && m_imageView->image())
        size = m_imageView->image()->size();
    if (m_titleLabel && !m_titleLabel->text().empty()) {
        const CGSize title = uikit::measureTextLine(m_titleLabel->text(), m_titleLabel->font()->pointSize());
        size = CGSize{size.width + title.width, std::max(size.height, title.height)};
    }
    return size;
}

rt::Ref<UILabel> UIButton::titleLabelImpl() {
    if (!m_titleLabel) {
        m_titleLabel = rt::make<UILabel>();
        m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
        m_titleLabel->setTextColor(nullptr); // nil: the button's own title colour
    }
    return m_titleLabel;
}

rt::Ref<UIImageView> UIButton::imageViewImpl() {
    if (!m_imageView) {
        m_imageView = rt::make<UIImageView>();
        m_imageView->setContentMode(UIViewContentModeCenter);
    }
    return m_imageView;
}

void UIButton::setTitleImpl(const std::string& title, NSUInteger state) {
    if (state == 0)
        titleLabel()->setText(title);
}
void UIButton::setTitleColorImpl(UIColor* colour, NSUInteger state) {
    if (state == 0)
        m_titleColor = colour;
}
void UIButton::setImageImpl(UIImage* image, NSUInteger state) {
    if (state == 0)
        imageView()->setImage(image);
}

rt::Ref<UIButton> UIButton::buttonWithType(UIButtonType type) {
    rt::Ref<UIButton> button = rt::make<UIButton>();
    button->m_buttonType = type;
    if (type == UIButtonTypeInfoLight || type == UIButtonTypeInfoDark ||
        type == UIButtonTypeDetailDisclosure) {
        button->setImage(UIImage::systemImageNamed("info.circle"), 0);
        // An info button keeps its symbol's size; text beside it gives way.
        button->setContentHuggingPriority(UILayoutPriorityDefaultHigh, UILayoutConstraintAxisHorizontal);
        button->setContentHuggingPriority(UILayoutPriorityDefaultHigh, UILayoutConstraintAxisVertical);
    }
    return button;
}

std::string UIButton::currentTitle() {
    return m_titleLabel ? m_titleLabel->text() : std::string();
}

BOOL UIButton::_chooseMenuAction(UIAction* action) {
    if (!m_presentedMenu || !action || !holds(m_presentedMenu, action))
        return NO;
    rt::Ref<UIAction> chosen(action); // closing the menu may drop the last other reference
    m_presentedMenu = nullptr;
    chosen->performWithSender();
    return YES;
}
