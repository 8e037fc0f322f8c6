#include <Preferences/PSSwitchTableCell.h>

#include <objc/message.h>

struct PSSwitchTableCellAccess {
    static PSSwitchTableCell* cell(id self) { return static_cast<PSSwitchTableCell*>(self); }
    static rt::Ref<UISwitch>& control(id self) { return cell(self)->m_control; }
};

namespace {

using A = PSSwitchTableCellAccess;

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id cell = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PSSwitchTableCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!cell)
        return nullptr;
    auto control = rt::make<UISwitch>();
    control->addTarget(cell, rt::sel<"controlChanged:">(), UIControlEventValueChanged);
    A::control(cell) = control;
    A::cell(cell)->setAccessoryView(control);
    return cell;
}

void setValue(id self, SEL cmd, const ns::PlistValue& value) {
    rt::sendSuper<void(const ns::PlistValue&)>(self, PSSwitchTableCell::classObject(), cmd, value);
    if (rt::Ref<UISwitch> control = A::control(self))
        control->setOn(value.boolValue());
}

void controlChanged(id self, SEL, id) {
    rt::Ref<UISwitch> control = A::control(self);
    rt::Ref<PSSpecifier> specifier = A::cell(self)->specifier();
    if (control && specifier)
        specifier->performSetterWithValue(ns::PlistValue(static_cast<bool>(control->isOn())));
}

[[maybe_unused]] const Class registered = PSSwitchTableCell::classObject();

} // namespace

Class PSSwitchTableCell::classObject() {
    static const Class cls =
        rt::defineClass("PSSwitchTableCell", PSTableCell::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
            class_addMethod(c, rt::sel<"setValue:">(), &::setValue);
            class_addMethod(c, rt::sel<"controlChanged:">(), &::controlChanged);
            rt::setAllocator(c, &rt::allocate<PSSwitchTableCell>);
        });
    return cls;
}
