#include <Preferences/PSTableCell.h>

#include <Preferences/PSSwitchTableCell.h>
#include <objc/message.h>

namespace {

// Rows whose control shows the value themselves have no value text.
bool showsValueAsText(const PSSpecifier* specifier) {
    if (!specifier)
        return true;
    switch (specifier->cellType()) {
    case PSGroupCell:
    case PSSwitchCell:
    case PSSliderCell:
    case PSSegmentCell:
        return false;
    default:
        return true;
    }
}

} // namespace

RT_DEFINE_CLASS(PSTableCell, nullptr)

PSTableCell::PSTableCell(Class cls) : UITableViewCell(cls) {}
PSTableCell::~PSTableCell() = default;

Class PSTableCell::cellClassForCellType(PSCellType type) {
    return type == PSSwitchCell ? PSSwitchTableCell::classObject() : classObject();
}

id PSTableCell::initWithStyleImpl(UITableViewCellStyle style, const std::string& reuseIdentifier,
                                  PSSpecifier* specifier) {
    if (!rt::superCall<UITableViewCell::initWithStyleMethod>(this, style, reuseIdentifier))
        return nullptr;
    setSpecifier(specifier);
    return this;
}

void PSTableCell::setValueImpl(const ns::PlistValue& value) {
    m_value = value;
    if (showsValueAsText(specifier()))
        detailTextLabel()->setText(value.stringValue());
}

rt::Ref<objc_object> PSTableCell::cellTargetImpl() {
    return m_specifier ? m_specifier->target() : nullptr;
}
rt::Ref<objc_object> PSTableCell::targetImpl() {
    return cellTargetImpl();
}

SEL PSTableCell::cellActionImpl() {
    return m_specifier ? m_specifier->buttonAction() : nullptr;
}
SEL PSTableCell::actionImpl() {
    return cellActionImpl();
}
