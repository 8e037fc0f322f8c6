#include <Preferences/PSSwitchTableCell.h>

#include <objc/message.h>

namespace {

PSSwitchTableCell* cellOf(id self) {
    return static_cast<PSSwitchTableCell*>(self);
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id cell = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PSSwitchTableCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!cell)
        return nullptr;
    auto control = rt::make<UISwitch>();
    control->addTarget(cell, rt::sel<"controlChanged:">(), UIControlEventValueChanged);
    cellOf(cell)->setControl(control);
    return cell;
}

void setValue(id self, SEL cmd, const ns::PlistValue& value) {
    rt::sendSuper<void(const ns::PlistValue&)>(self, PSSwitchTableCell::classObject(), cmd, value);
    if (rt::Ref<UISwitch> control = cellOf(self)->control())
        control->setOn(value.boolValue());
}

void controlChanged(id self, SEL, id) {
    rt::Ref<UISwitch> control = cellOf(self)->control();
    rt::Ref<PSSpecifier> specifier = cellOf(self)->specifier();
    if (control && specifier)
        specifier->performSetterWithValue(ns::PlistValue(static_cast<bool>(control->isOn())));
}

} // namespace

RT_DEFINE_CLASS(PSSwitchTableCell, [](Class c, Class) {
    class_addMethod(c, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(c, rt::sel<"setValue:">(), &::setValue);
    class_addMethod(c, rt::sel<"controlChanged:">(), &::controlChanged);
})

void PSSwitchTableCell::setControl(UISwitch* control) {
    m_control = control;
    setAccessoryView(control);
}
