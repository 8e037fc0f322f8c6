#pragma once
#include <Preferences/PSListController.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace hosts {

// A user's mistake the host reports in one line.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
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
    };
    // Opens the page (by identifier or title) and describes its rows.
    std::vector<RowDescription> show(const std::string& page);
    // Finds the row storing `key`, opens its page and reports `value` as the
    // row's control would. Answers a line saying what was set.
    std::string set(const std::string& key, const std::string& value);
    // Opens the page, lays the window out and answers the page's view.
    rt::Ref<UIView> views(const std::string& page);
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
