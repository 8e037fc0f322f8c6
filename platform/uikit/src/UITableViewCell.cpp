#include <UIKit/UITableViewCell.h>

#include <objc/message.h>

#include <algorithm>

namespace {

constexpr CGFloat kMargin = 16;      // text and accessory in from the cell's edges
constexpr CGFloat kAccessoryGap = 8; // between the content view and the accessory

CGSize sizeOf(UIView* view) {
    const CGSize natural = view->intrinsicContentSize();
    const CGSize frame = view->frame().size;
    return CGSize{natural.width == UIViewNoIntrinsicMetric ? frame.width : natural.width,
                  natural.height == UIViewNoIntrinsicMetric ? frame.height : natural.height};
}

// Views placed by their own constraints are left to them.
bool placedInCode(UIView* view) {
    return view && view->translatesAutoresizingMaskIntoConstraints();
}

} // namespace

RT_DEFINE_CLASS(UITableViewCell, nullptr)

// The accessory at the trailing edge, the content view beside it, the title
// at the leading edge and the value at the content view's trailing edge, each
// centred on the row.
void UITableViewCell::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    const CGSize size = bounds().size;
    CGFloat contentWidth = size.width;
    if (UIView* accessory = m_accessoryView; placedInCode(accessory)) {
        const CGSize natural = sizeOf(accessory);
        const CGFloat x = size.width - kMargin - natural.width;
        accessory->setFrame(CGRectMake(x, (size.height - natural.height) / 2, natural.width, natural.height));
        contentWidth = std::max<CGFloat>(0, x - kAccessoryGap);
    }
    if (placedInCode(m_contentView))
        m_contentView->setFrame(CGRectMake(0, 0, contentWidth, size.height));
    const CGFloat room = std::max<CGFloat>(0, contentWidth - 2 * kMargin);
    if (UILabel* title = m_textLabel; placedInCode(title)) {
        const CGSize natural = sizeOf(title);
        title->setFrame(CGRectMake(kMargin, (size.height - natural.height) / 2, std::min(natural.width, room),
                                   natural.height));
    }
    if (UILabel* detail = m_detailTextLabel; placedInCode(detail)) {
        const CGSize natural = sizeOf(detail);
        const CGFloat width = std::min(natural.width, room);
        detail->setFrame(CGRectMake(contentWidth - kMargin - width, (size.height - natural.height) / 2, width,
                                    natural.height));
    }
}

id UITableViewCell::initWithStyleImpl(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    m_style = style;
    m_reuseIdentifier = reuseIdentifier;
    contentView(); // at the bottom, under whatever a subclass adds
    return this;
}

rt::Ref<UIView> UITableViewCell::accessoryViewImpl() {
    return m_accessoryView;
}

void UITableViewCell::setAccessoryViewImpl(UIView* view) {
    if (m_accessoryView.get() == view)
        return;
    if (m_accessoryView && m_accessoryView->superview().get() == this)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = view;
    if (view)
        addSubview(view);
}

rt::Ref<UIView> UITableViewCell::contentView() {
    if (!m_contentView) {
        m_contentView = rt::make<UIView>();
        addSubview(m_contentView);
    }
    return m_contentView;
}

rt::Ref<UILabel> UITableViewCell::textLabel() {
    if (!m_textLabel) {
        m_textLabel = rt::make<UILabel>();
        contentView()->addSubview(m_textLabel);
    }
    return m_textLabel;
}

rt::Ref<UILabel> UITableViewCell::detailTextLabel() {
    if (!m_detailTextLabel) {
        m_detailTextLabel = rt::make<UILabel>();
        contentView()->addSubview(m_detailTextLabel);
    }
    return m_detailTextLabel;
}
