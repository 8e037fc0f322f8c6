#include <Preferences/PSTableCell.h>

#include <Preferences/PSSwitchTableCell.h>
#include <objc/message.h>

namespace {

PSTableCell* cellOf(id self) {
    return static_cast<PSTableCell*>(self);
}

id initWithStyle(id self, SEL, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id cell = rt::sendSuper<id(UITableViewCellStyle, const std::string&)>(
        self, PSTableCell::classObject(), rt::sel<"initWithStyle:reuseIdentifier:">(), style,
        reuseIdentifier);
    if (!cell)
        return nullptr;
    cellOf(cell)->setSpecifier(specifier);
    return cell;
}

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

rt::Ref<objc_object> cellTarget(id self, SEL) {
    rt::Ref<PSSpecifier> specifier = cellOf(self)->specifier();
    return specifier ? specifier->target() : nullptr;
}

SEL cellAction(id self, SEL) {
    rt::Ref<PSSpecifier> specifier = cellOf(self)->specifier();
    return specifier ? specifier->buttonAction() : nullptr;
}

} // namespace

RT_DEFINE_CLASS(PSTableCell, [](Class c, Class) {
    class_addMethod(c, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(
        c, rt::sel<"setValue:">(), +[](id self, SEL, const ns::PlistValue& value) {
            PSTableCell* cell = cellOf(self);
            cell->m_value = value;
            if (showsValueAsText(cell->specifier()))
                cell->detailTextLabel()->setText(value.stringValue());
        });
    class_addMethod(c, rt::sel<"cellTarget">(), &::cellTarget);
    class_addMethod(c, rt::sel<"target">(), &::cellTarget);
    class_addMethod(c, rt::sel<"cellAction">(), &::cellAction);
    class_addMethod(c, rt::sel<"action">(), &::cellAction);
})

PSTableCell::PSTableCell(Class cls) : UITableViewCell(cls) {}
PSTableCell::~PSTableCell() = default;

Class PSTableCell::cellClassForCellType(PSCellType type) {
    return type == PSSwitchCell ? PSSwitchTableCell::classObject() : classObject();
}

id PSTableCell::initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier,
                              PSSpecifier* specifier) {
    return rt::send<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        this, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), style, reuseIdentifier, specifier);
}

void PSTableCell::setValue(const ns::PlistValue& value) {
    rt::send<void(const ns::PlistValue&)>(this, rt::sel<"setValue:">(), value);
}

rt::Ref<objc_object> PSTableCell::cellTarget() {
    return rt::send<rt::Ref<objc_object>()>(this, rt::sel<"cellTarget">());
}
SEL PSTableCell::cellAction() {
    return rt::send<SEL()>(this, rt::sel<"cellAction">());
}
