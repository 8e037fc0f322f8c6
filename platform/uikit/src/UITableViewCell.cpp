#include <UIKit/UITableViewCell.h>

#include <objc/message.h>

struct UITableViewCellAccess {
    static UITableViewCell* cell(id self) { return static_cast<UITableViewCell*>(self); }
    static UITableViewCellStyle& style(id self) { return cell(self)->m_style; }
    static std::string& reuseIdentifier(id self) { return cell(self)->m_reuseIdentifier; }
    static rt::Ref<UIView>& accessoryView(id self) { return cell(self)->m_accessoryView; }
};

namespace {

using A = UITableViewCellAccess;

id initWithStyle(id self, SEL, UITableViewCellStyle style, const std::string& reuseIdentifier) {
    A::style(self) = style;
    A::reuseIdentifier(self) = reuseIdentifier;
    return self;
}

rt::Ref<UIView> accessoryView(id self, SEL) {
    return A::accessoryView(self);
}

void setAccessoryView(id self, SEL, UIView* view) {
    rt::Ref<UIView>& current = A::accessoryView(self);
    if (current.get() == view)
        return;
    if (current && current->superview().get() == self)
        current->removeFromSuperview();
    current = view;
    if (view)
        A::cell(self)->addSubview(view);
}

[[maybe_unused]] const Class registered = UITableViewCell::classObject();

} // namespace

Class UITableViewCell::classObject() {
    static const Class cls = rt::defineClass("UITableViewCell", UIView::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"initWithStyle:reuseIdentifier:">(), &::initWithStyle);
        class_addMethod(c, rt::sel<"accessoryView">(), &::accessoryView);
        class_addMethod(c, rt::sel<"setAccessoryView:">(), &::setAccessoryView);
        rt::setAllocator(c, &rt::allocate<UITableViewCell>);
    });
    return cls;
}

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
