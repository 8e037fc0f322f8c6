#include "PQContextMenuCell.h"

#include "PQPrefs.h"
#include "RowProperties.h"
#include "UIViewExtension.h"

#include <UIKit/UIAction.h>
#include <UIKit/UIFont.h>

namespace {

PQContextMenuCell* cellOf(id self) {
    return static_cast<PQContextMenuCell*>(self);
}

// The index stored under the row's key, else its "default" (0 without one).
NSInteger storedIndex(const PSSpecifier* row) {
    const ns::PlistValue fallback = row ? row->propertyForKey("default") : ns::PlistValue();
    return PQPrefs::shared()->integerForKey(rowProperties::optionalText(row, "key"),
                                            fallback.isNull() ? 0 : fallback.integerValue(),
                                            rowProperties::optionalText(row, "defaults"));
}

ns::PlistArray validTitles(const PSSpecifier* row) {
    const ns::PlistValue titles = row ? row->propertyForKey("validTitles") : ns::PlistValue();
    return titles.asArray() ? *titles.asArray() : ns::PlistArray{};
}

// A stored index outside the list (or no list) shows no title; the stored
// value is left as it is.
std::string titleAt(const ns::PlistArray& titles, NSInteger index) {
    if (index < 0 || static_cast<std::size_t>(index) >= titles.size())
        return {};
    const std::string* text = titles[static_cast<std::size_t>(index)].asString();
    return text ? *text : titles[static_cast<std::size_t>(index)].stringValue();
}

// "%@ %@": the title, a blank, then the message (empty when missing).
std::string menuTitle(const PSSpecifier* row) {
    return rowProperties::text(row, "title") + " " + rowProperties::text(row, "message");
}

void installMenu(PQContextMenuCell* cell, const ns::PlistArray& titles) {
    rt::Ref<PSSpecifier> row = cell->specifier();
    cell->menuButton()->btn()->setMenu(cell->contextMenuOptions(menuTitle(row), titles, row));
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQContextMenuCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQContextMenuCell* cell = cellOf(made);
    if (specifier)
        specifier->setProperty(ns::PlistValue(static_cast<long long>(PQContextMenuCell::kRowHeight)),
                               "height");
    const ns::PlistArray titles = validTitles(specifier);

    rt::Ref<PQContextMenuControl> control = rt::make<PQContextMenuControl>();
    if (!control->init())
        return nullptr;
    cell->setMenuButton(control);
    control->title()->setText(titleAt(titles, storedIndex(specifier)));
    control->btn()->setShowsMenuAsPrimaryAction(YES);
    control->btn()->setMenu(cell->contextMenuOptions(menuTitle(specifier), titles, specifier));
    control->setBackgroundColor(UIColor::clearColor());
    control->icon()->setTintColor(PQPrefs::shared()->accentColour());
    control->title()->setTextColor(PQPrefs::shared()->accentColour());

    cell->addSubview(control);
    UIViewExtension(control).size(
        CGSize{PQContextMenuCell::kControlWidth, PQContextMenuCell::kControlHeight});
    UIViewExtension(control).y(cell->centerYAnchor());
    UIViewExtension(control).trailing(cell->trailingAnchor(), PQContextMenuCell::kControlTrailing);

    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(UIColor::labelColor());
    label->setText(rowProperties::text(specifier, "title"));
    label->setFont(UIFont::systemFontOfSize(17.0, UIFontWeightRegular));
    cell->setHeaderLabel(label);
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(cell->leadingAnchor(), PQContextMenuCell::kTitleLeading)
        ->setActive(YES);
    label->trailingAnchor()
        ->constraintEqualToAnchor(control->leadingAnchor(), PQContextMenuCell::kTitleToControl)
        ->setActive(YES);

    cell->setSelectedIndex(storedIndex(specifier));
    return made;
}

void didMoveToSuperview(id self, SEL cmd) {
    rt::sendSuper<void()>(self, PQContextMenuCell::classObject(), cmd);
    PQContextMenuCell* cell = cellOf(self);
    rt::Ref<PSSpecifier> row = cell->specifier();
    if (row)
        row->setTarget(cell);
    const ns::PlistArray titles = validTitles(row);
    if (rt::Ref<PQContextMenuControl> control = cell->menuButton()) {
        control->title()->setText(titleAt(titles, storedIndex(row)));
        installMenu(cell, titles);
    }
    cell->setSelectedIndex(storedIndex(row));
    cell->detailTextLabel()->setHidden(YES);
    cell->textLabel()->setHidden(YES);
}

rt::Ref<UIMenu> contextMenuOptions(id self, SEL, const std::string& title, const ns::PlistArray& titles,
                                   PSSpecifier* specifier) {
    PQContextMenuCell* cell = cellOf(self);
    cell->setSelectedIndex(storedIndex(specifier));
    // Weak: the menu belongs to the cell's own button.
    rt::Weak<PQContextMenuCell> weakCell(cell);
    std::vector<rt::Ref<UIMenuElement>> actions;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const NSInteger index = static_cast<NSInteger>(i);
        rt::Ref<UIImage> image =
            index == cell->selectedIndex() ? UIImage::systemImageNamed("checkmark") : rt::Ref<UIImage>();
        actions.push_back(
            UIAction::actionWithTitle(titleAt(titles, index), image, "", [weakCell, index](UIAction*) {
                if (rt::Ref<PQContextMenuCell> chosen = weakCell.lock())
                    chosen->didSelectOptionAtIndex(index);
            }));
    }
    return UIMenu::menuWithTitle(title, actions);
}

void didSelectOptionAtIndex(id self, SEL, NSInteger index) {
    PQContextMenuCell* cell = cellOf(self);
    rt::Ref<PSSpecifier> row = cell->specifier();
    const ns::PlistArray titles = validTitles(row);
    cell->setSelectedIndex(index);
    if (rt::Ref<PQContextMenuControl> control = cell->menuButton())
        control->title()->setText(titleAt(titles, index));
    PQPrefs::shared()->setInteger(index, rowProperties::optionalText(row, "key"),
                                  rowProperties::optionalText(row, "defaults"));
    if (cell->menuButton())
        installMenu(cell, titles);
}

} // namespace

RT_DEFINE_CLASS(PQContextMenuCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(cls, rt::sel<"didMoveToSuperview">(), &::didMoveToSuperview);
    class_addMethod(cls, rt::sel<"contextMenuOptions:array:specifier:">(), &::contextMenuOptions);
    class_addMethod(cls, rt::sel<"didSelectOptionAtIndex:">(), &::didSelectOptionAtIndex);
})

rt::Ref<UIMenu> PQContextMenuCell::contextMenuOptions(const std::string& menuTitle,
                                                      const ns::PlistArray& titles, PSSpecifier* specifier) {
    return rt::send<rt::Ref<UIMenu>(const std::string&, const ns::PlistArray&, PSSpecifier*)>(
        this, rt::sel<"contextMenuOptions:array:specifier:">(), menuTitle, titles, specifier);
}

void PQContextMenuCell::didSelectOptionAtIndex(NSInteger index) {
    rt::send<void(NSInteger)>(this, rt::sel<"didSelectOptionAtIndex:">(), index);
}
