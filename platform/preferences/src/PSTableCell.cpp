#include <Preferences/PSTableCell.h>

#include <Preferences/PSSwitchTableCell.h>
#include <objc/message.h>

struct PSTableCellAccess {
    static PSTableCell* cell(id self) { return static_cast<PSTableCell*>(self); }
    static ns::PlistValue& value(id self) { return cell(self)->m_value; }
};

namespace {

using A = PSTableCellAccess;

id initWithStyle(id self, SEL, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id cell = rt::sendSuper<id(UITableViewCellStyle, const std::string&)>(
        self, PSTableCell::classObject(), rt::sel<"initWithStyle:reuseIdentifier:">(), style,
        reuseIdentifier);
    if (!cell)
        return nullptr;
    A::cell(cell)->setSpecifier(specifier);
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

void setValue(id self, SEL, const ns::PlistValue& value) {
    A::value(self) = value;
    if (showsValueAsText(A::cell(self)->specifier()))
        A::cell(self)->detailTextLabel()->setText(value.stringValue());
}

rt::Ref<objc_object> cellTarget(id self, SEL) {
    rt::Ref<PSSpecifier> specifier = A::cell(self)->specifier();
    return specifier ? specifier->target() : nullptr;
}

SEL cellAction(id self, SEL) {
    rt::Ref<PSSpecifier> specifier = A::cell(self)->specifier();
    return specifier ? specifier->buttonAction() : nullptr;
}

[[maybe_unused]] const Class registered = PSTableCell::classObject();

} // namespace

Class PSTableCell::classObject() {
    static const Class cls =
        rt::defineClass("PSTableCell", UITableViewCell::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
            class_addMethod(c, rt::sel<"setValue:">(), &::setValue);
            class_addMethod(c, rt::sel<"cellTarget">(), &::cellTarget);
            class_addMethod(c, rt::sel<"target">(), &::cellTarget);
            class_addMethod(c, rt::sel<"cellAction">(), &::cellAction);
            class_addMethod(c, rt::sel<"action">(), &::cellAction);
            rt::setAllocator(c, &rt::allocate<PSTableCell>);
        });
    return cls;
}

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
