#pragma once
#include "HostExitStatus.h"

#include <Foundation/FileStamp.h>
#include <Preferences/PSListController.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>

#include <optional>

#include <stdexcept>
#include <string>
#include <vector>

namespace hosts {

// A failure the host reports in one line; its category becomes the exit status.
class SettingsError : public std::runtime_error {
  public:
    explicit SettingsError(const std::string& what, HostExitStatus status = HostExitStatus::refused)
        : std::runtime_error(what), m_status(status) {}
    HostExitStatus status() const { return m_status; }

  private:
    HostExitStatus m_status;
};

// The Settings app with one pane open: the pane's bundle loaded from the
// device, its root page on a navigation stack in the key window, and the rows
// driven the way the app's own controls drive them.
class SettingsHost {
  public:
    static constexpr const char* kEntryFolder = "/Library/PreferenceLoader/Preferences";
    static constexpr const char* kBundleFolder = "/Library/PreferenceBundles";
    // The screen the host's window covers, in points.
    static constexpr CGFloat kScreenWidth = 390;
    static constexpr CGFloat kScreenHeight = 844;

    // Loads the pane that the entry "<kEntryFolder>/<pane>.plist" describes and shows its root page.
    explicit SettingsHost(const std::string& pane);

    struct Page {
        std::string identifier; // what `show` accepts
        std::string title;
        std::string controllerClass;
        std::vector<std::string> path; // link rows from the root to the page
    };
    // The root page, then every page a link row opens, breadth first.
    std::vector<Page> pages();

    struct RowDescription {
        std::string title;
        std::string cellClass; // the class made, and the one asked for when that was missing
        std::string key;
        std::string value; // as the row shows it
        bool isGroup = false;
        bool offersOpacity = false; // a colour row whose picker keeps alpha
        bool hasMenu = false;
        bool hasInfo = false;
    };
    // Opens the page (by identifier or title) and describes its rows.
    std::vector<RowDescription> show(const std::string& page);
    // Finds the row storing `key`, opens its page and reports `value` as the
    // row's control would: a switch is flipped, a menu's entry chosen, a
    // colour row's picker given `colour` (eight hex digits) and closed.
    // Answers a line saying what was set.
    std::string set(const std::string& key, const std::string& value, const std::string& colour = {});
    // A finger on the row storing `key`: its colour picker opened, each colour
    // (eight hex digits) picked in turn, the picker closed. Without
    // `withAlpha` the picker's opacity is left as it is. Answers a line per
    // pick and the value stored.
    std::vector<std::string> pickColour(const std::string& key, const std::vector<std::string>& colours,
                                        bool withAlpha);
    // The row's menu, opened and closed again: its title, then one line per
    // entry, the checked one marked.
    std::vector<std::string> menu(const std::string& key);
    // Opens the row's menu and taps the entry at that position (from 0) or
    // with that title. Answers a line saying what is stored.
    std::string choose(const std::string& key, const std::string& entry);
    // Taps the row's info button: the alert's title, message and buttons; the
    // alert is then closed with its cancel button.
    std::vector<std::string> info(const std::string& key);
    // Opens the page, lays the window out and answers the page's view.
    rt::Ref<UIView> views(const std::string& page);
    // The window the pages are shown in (with the status bar and home indicator).
    UIWindow* window() const { return m_window.get(); }
    // The Settings app showing `page`, laid out and drawn as PNG into a file
    // of this machine at `scale` pixels per point.
    void screenshot(const std::string& page, const std::string& hostPath, double scale);
    // What a finger does in the image picker a row opens.
    struct ImageChoice {
        enum class Kind { photo, hostFile, cancel };
        Kind kind = Kind::cancel;
        std::string value; // the photo's name, or a file of this machine
    };
    // Finds the row storing `key`, opens its page, taps the row and, in the
    // image picker the tap presents, chooses as `choice` says. Answers what
    // happened, ending with the files the pick wrote in the preferences folder.
    std::vector<std::string> pickImage(const std::string& key, const ImageChoice& choice);
    // Taps "Apply" on the page and answers its alert with the button titled `answer`.
    // Answers what was asked and what was tapped.
    std::vector<std::string> apply(const std::string& answer, const std::string& page);

  private:
    // A row on screen: its page opened, its cell made and laid out.
    struct FoundRow {
        std::string where; // "Page: Title (key)"
        PSListController* controller = nullptr;
        rt::Ref<PSSpecifier> row;
        rt::Ref<PSTableCell> cell;
        std::optional<ns::FileStamp> fileBefore; // the row's preference file before any change
    };
    FoundRow findRow(const std::string& key);
    // The pane stays silent about a failed write, as on the device; the host
    // reads the file back so that it never reports a lost change.
    std::string confirmStored(const FoundRow& found, const std::string& key, const ns::PlistValue& expected,
                              const std::string& shown);
    std::string chooseInMenu(const FoundRow& found, const std::string& key, const std::string& entry);
    std::vector<std::string> pickColours(const FoundRow& found, const std::string& key,
                                         const std::vector<std::string>& colours, bool withAlpha);

    const Page& findPage(const std::string& name);
    PSListController* open(const Page& page);
    RowDescription describe(PSListController* controller, PSSpecifier* row);

    std::string m_bundlePath;
    rt::Ref<PSListController> m_root;
    rt::Ref<UINavigationController> m_stack;
    rt::Ref<UIWindow> m_window;
    std::vector<Page> m_pages;
};

} // namespace hosts
