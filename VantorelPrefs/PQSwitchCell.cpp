#include "PQSwitchCell.h"

#include "PQPrefs.h"

namespace {

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQSwitchCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    static_cast<PQSwitchCell*>(made)->control()->setOnTintColor(PQPrefs::shared()->accentColour());
    return made;
}

} // namespace

RT_DEFINE_CLASS(PQSwitchCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
})
