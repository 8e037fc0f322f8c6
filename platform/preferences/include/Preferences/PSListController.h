#pragma once
#include <Preferences/PSSpecifier.h>
#include <Preferences/PSTableCell.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A settings page: rows built from a page layout of the pane's bundle, a cell
// per row, and the value traffic between the rows and the preference files.
//
// "specifiers" answers the rows of the page. The rows' values go through
// "readPreferenceValue:" and "setPreferenceValue:specifier:". The host's own:
// the value stored under the row's "key" in the "defaults" domain's
// preference file, else its "default"; a change rewrites the file and posts
// the row's "PostNotification". A row without "key" or "defaults", or a nil
// value, changes nothing. The view is an inset grouped table, filled again
// each time the page appears.
#define PSLISTCONTROLLER_METHODS(M, O, C)                                                                    \
    M(PSSpecifierArray, specifiers, "specifiers", ())                                                        \
    M(ns::PlistValue, readPreferenceValue, "readPreferenceValue:", (PSSpecifier*))                           \
    M(void, setPreferenceValue, "setPreferenceValue:specifier:", (const ns::PlistValue&, PSSpecifier*))      \
    O(loadView)                                                                                              \
    O(viewWillAppear)

class PS_EXPORT PSListController : public UIViewController {
    RT_OBJECT_WITH_CONSTRUCTOR(PSListController, UIViewController)
    RT_METHODS(PSLISTCONTROLLER_METHODS)
    ~PSListController() override;

    // The page's rows once loaded. Subclasses fill it from their `specifiers`;
    // empty means not loaded yet, an empty array a page without rows.
    std::optional<PSSpecifierArray> _specifiers;

    // The rows of "<name>.plist" in the bundle folder, their target `target`.
    // A missing or unreadable layout gives no rows. A layout "title" titles the page.
    PSSpecifierArray loadSpecifiersFromPlistName(const std::string& name, id target);

    // The pane bundle's folder (a device path) layouts are read from. Pages
    // opened from this one share it.
    const std::string& bundlePath() const { return m_bundlePath; }
    void setBundlePath(const std::string& path) { m_bundlePath = path; }
    // The link row that opened this page, if any.
    rt::Ref<PSSpecifier> specifier() const { return m_specifier; }
    void setSpecifier(PSSpecifier* specifier) { m_specifier = specifier; }

    // The cell class the row names when this process has it and it is a
    // PSTableCell; otherwise the host's own cell for the row's kind.
    static Class cellClassForSpecifier(const PSSpecifier* specifier);
    // The row's cell, made once: created with the row's class, titled, given
    // its value and put on the page.
    rt::Ref<PSTableCell> cachedCellForSpecifier(PSSpecifier* specifier);
    // The row's height: its "height" property when that is a positive number,
    // otherwise the table's standard row height.
    static CGFloat rowHeightForSpecifier(const PSSpecifier* specifier);
    // A group row's header view, made once: an instance of the UIView class
    // its "headerCellClass" names, made with initWithFrame: as wide as the
    // page and as tall as the row's height. Null when the row names no class
    // this process has.
    rt::Ref<UIView> cachedHeaderViewForSpecifier(PSSpecifier* specifier);
    // The controller a link row opens, made by class name and set up as a
    // page of this pane; null when the row names no controller class we have.
    rt::Ref<UIViewController> controllerForSpecifier(PSSpecifier* specifier);
    // A tap on the row: a link opens its page (pushed when this page is on a
    // stack) and is answered; a row with a button action sends it to the
    // row's target with the row as sender.
    rt::Ref<UIViewController> selectSpecifier(PSSpecifier* specifier);

    // Drops the rows and their cells; the next `specifiers` builds them again.
    void reloadSpecifiers();

    // The page's view: an inset grouped table.
    rt::Ref<UITableView> table();
    // Gives the table a section per group row (its label the title, its
    // "footerText" the footer) holding the cells of the rows after it. Done
    // each time the page appears.
    void reloadTable();

  private:
    std::string m_bundlePath;
    rt::Ref<PSSpecifier> m_specifier;
    std::vector<std::pair<rt::Ref<PSSpecifier>, rt::Ref<PSTableCell>>> m_cells;
    std::vector<std::pair<rt::Ref<PSSpecifier>, rt::Ref<UIView>>> m_headerViews;
};
