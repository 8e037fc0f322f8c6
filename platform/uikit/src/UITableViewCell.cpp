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

RT_DEFINE_CLASS(UITableViewCell, [](Class cls, Class) {
    // The accessory at the trailing edge, the content view beside it, the
    // title at the leading edge and the value at the content view's trailing
    // edge, each centred on the row.
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(), +[](id self, SEL cmd) {
            rt::sendSuper<void()>(self, UITableViewCell::classObject(), cmd);
            auto* cell = static_cast<UITableViewCell*>(self);
            const CGSize bounds = cell->bounds().size;
            CGFloat contentWidth = bounds.width;
            if (UIView* accessory = cell->m_accessoryView; placedInCode(accessory)) {
                const CGSize size = sizeOf(accessory);
                const CGFloat x = bounds.width - kMargin - size.width;
                accessory->setFrame(
                    CGRectMake(x, (bounds.height - size.height) / 2, size.width, size.height));
                contentWidth = std::max<CGFloat>(0, x - kAccessoryGap);
            }
            if (placedInCode(cell->m_contentView))
                cell->m_contentView->setFrame(CGRectMake(0, 0, contentWidth, bounds.height));
            const CGFloat room = std::max<CGFloat>(0, contentWidth - 2 * kMargin);
            if (UILabel* title = cell->m_textLabel; placedInCode(title)) {
                const CGSize size = sizeOf(title);
                title->setFrame(CGRectMake(kMargin, (bounds.height - size.height) / 2,
                                           std::min(size.width, room), size.height));
            }
            if (UILabel* detail = cell->m_detailTextLabel; placedInCode(detail)) {
                const CGSize size = sizeOf(detail);
                const CGFloat width = std::min(size.width, room);
                detail->setFrame(CGRectMake(contentWidth - kMargin - width, (bounds.height - size.height) / 2,
                                            width, size.height));
            }
        });
    class_addMethod(
        cls, rt::sel<"initWithStyle:reuseIdentifier:">(),
        +[](id self, SEL, UITableViewCellStyle style, const std::string& reuseIdentifier) -> id {
            auto* cell = static_cast<UITableViewCell*>(self);
            cell->m_style = style;
            cell->m_reuseIdentifier = reuseIdentifier;
            cell->contentView(); // at the bottom, under whatever a subclass adds
            return self;
        });
    class_addMethod(
        cls, rt::sel<"accessoryView">(),
        +[](id self, SEL) { return static_cast<UITableViewCell*>(self)->m_accessoryView; });
    // A new accessory replaces the old one in the cell.
    class_addMethod(
        cls, rt::sel<"setAccessoryView:">(), +[](id self, SEL, UIView* view) {
            auto* cell = static_cast<UITableViewCell*>(self);
            rt::Ref<UIView>& current = cell->m_accessoryView;
            if (current.get() == view)
                return;
            if (current && current->superview().get() == self)
                current->removeFromSuperview();
            current = view;
            if (view)
                cell->addSubview(view);
        });
})

id UITableViewCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier) {
    return rt::send<id(UITableViewCellStyle, const std::string&)>(
        this, rt::sel<"initWithStyle:reuseIdentifier:">(), style, reuseIdentifier);
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

rt::Ref<UIView> UITableViewCell::accessoryView() {
    return rt::send<rt::Ref<UIView>()>(this, rt::sel<"accessoryView">());
}

void UITableViewCell::setAccessoryView(UIView* view) {
    rt::send<void(UIView*)>(this, rt::sel<"setAccessoryView:">(), view);
}
