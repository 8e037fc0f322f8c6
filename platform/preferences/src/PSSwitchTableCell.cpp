#include <Preferences/PSSwitchTableCell.h>

#include <objc/message.h>

RT_DEFINE_CLASS(PSSwitchTableCell, nullptr)

id PSSwitchTableCell::initWithStyleImpl(UITableViewCellStyle style, const std::string& reuseIdentifier,
                                        PSSpecifier* specifier) {
    if (!initWithStyleSuper(style, reuseIdentifier, specifier))
        return nullptr;
    auto switchControl = rt::make<UISwitch>();
    switchControl->addTarget(this, rt::sel<"controlChanged:">(), UIControlEventValueChanged);
    setControl(switchControl);
    return this;
}

void PSSwitchTableCell::setValueImpl(const ns::PlistValue& value) {
    setValueSuper(value);
    if (m_control)
        m_control->setOn(value.boolValue());
}

void PSSwitchTableCell::controlChangedImpl(id) {
    rt::Ref<PSSpecifier> row = specifier();
    if (m_control && row)
        row->performSetterWithValue(ns::PlistValue(static_cast<bool>(m_control->isOn())));
}

void PSSwitchTableCell::setControl(UISwitch* control) {
    m_control = control;
    setAccessoryView(control);
}
