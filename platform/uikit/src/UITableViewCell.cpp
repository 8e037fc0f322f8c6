#include <UIKit/UITableViewCell.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UITableViewCell, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"initWithStyle:reuseIdentifier:">(),
        +[](id self, SEL, UITableViewCellStyle style, const std::string& reuseIdentifier) -> id {
            auto* cell = static_cast<UITableViewCell*>(self);
            cell->m_style = style;
            cell->m_reuseIdentifier = reuseIdentifier;
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
