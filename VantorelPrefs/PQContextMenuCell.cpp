#include "PQContextMenuCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"
#include "UIViewExtension.h"

#include <UIKit/UIAction.h>

namespace {

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

} // namespace

RT_DEFINE_CLASS(PQContextMenuCell, nullptr)

PQ_CELL_INITIALISER(PQContextMenuCell)

BOOL PQContextMenuCell::buildContent(PSSpecifier* specifier) {
    if (specifier)
        specifier->setProperty(ns::PlistValue(static_cast<long long>(PQContextMenuCell::kRowHeight)),
                               "height");
    const ns::PlistArray titles = validTitles(specifier);

    rt::Ref<PQContextMenuControl> control = rt::make<PQContextMenuControl>();
    if (!control->init())
        return NO;
    setMenuButton(control);
    control->title()->setText(titleAt(titles, storedIndex(specifier)));
    control->btn()->setShowsMenuAsPrimaryAction(YES);
    control->btn()->setMenu(contextMenuOptions(menuTitle(specifier), titles, specifier));
    control->setBackgroundColor(UIColor::clearColor());
    control->icon()->setTintColor(PQPrefs::shared()->accentColour());
    control->title()->setTextColor(PQPrefs::shared()->accentColour());

    addSubview(control);
    UIViewExtension(control).size(
        CGSize{PQContextMenuCell::kControlWidth, PQContextMenuCell::kControlHeight});
    UIViewExtension(control).y(centerYAnchor());
    UIViewExtension(control).trailing(trailingAnchor(), PQContextMenuCell::kControlTrailing);

    setHeaderLabel(cellParts::title(this, specifier, UIColor::labelColor(), leadingAnchor(), kTitleLeading,
                                    control->leadingAnchor(), kTitleToControl));

    setSelectedIndex(storedIndex(specifier));
    return YES;
}

void PQContextMenuCell::didMoveToSuperviewImpl() {
    didMoveToSuperviewSuper();
    rt::Ref<PSSpecifier> row = specifier();
    if (row)
        row->setTarget(this);
    const ns::PlistArray titles = validTitles(row);
    if (rt::Ref<PQContextMenuControl> control = menuButton()) {
        control->title()->setText(titleAt(titles, storedIndex(row)));
        installMenu(this, titles);
    }
    setSelectedIndex(storedIndex(row));
    detailTextLabel()->setHidden(YES);
    textLabel()->setHidden(YES);
}

rt::Ref<UIMenu> PQContextMenuCell::contextMenuOptionsImpl(const std::string& title,
                                                          const ns::PlistArray& titles,
                                                          PSSpecifier* specifier) {
    setSelectedIndex(storedIndex(specifier));
    // Weak: the menu belongs to the cell's own button.
    rt::Weak<PQContextMenuCell> weakCell(this);
    std::vector<rt::Ref<UIMenuElement>> actions;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const NSInteger index = static_cast<NSInteger>(i);
        rt::Ref<UIImage> image =
            index == selectedIndex() ? UIImage::systemImageNamed("checkmark") : rt::Ref<UIImage>();
        actions.push_back(
            UIAction::actionWithTitle(titleAt(titles, index), image, "", [weakCell, index](UIAction*) {
                if (rt::Ref<PQContextMenuCell> chosen = weakCell.lock())
                    chosen->didSelectOptionAtIndex(index);
            }));
    }
    return UIMenu::menuWithTitle(title, actions);
}

void PQContextMenuCell::didSelectOptionAtIndexImpl(NSInteger index) {
    rt::Ref<PSSpecifier> row = specifier();
    const ns::PlistArray titles = validTitles(row);
    setSelectedIndex(index);
    if (rt::Ref<PQContextMenuControl> control = menuButton())
        control->title()->setText(titleAt(titles, index));
    PQPrefs::shared()->setInteger(index, rowProperties::optionalText(row, "key"),
                                  rowProperties::optionalText(row, "defaults"));
    if (menuButton())
        installMenu(this, titles);
}
