#include "VRSControllerOperations.h"

#include "PQPrefs.h"
#include "ProductIdentity.h"

#include <CoreFoundation/CFNotificationCenter.h>
#include <Foundation/PlistFile.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <spawn.h>

#include <optional>
#include <string>

namespace {

rt::Ref<UIWindow> keyWindow() {
    for (const rt::Ref<UIWindow>& window : UIApplication::sharedApplication()->windows())
        if (window->isKeyWindow())
            return window;
    return nullptr;
}

std::optional<std::string> textProperty(PSSpecifier* specifier, const char* key) {
    if (!specifier)
        return std::nullopt;
    ns::PlistValue value = specifier->propertyForKey(key);
    const std::string* text = value.asString();
    if (!text || text->empty())
        return std::nullopt;
    return *text;
}

std::string preferencePath(const std::string& domain) {
    return kPreferencesFolder + preferenceFileName(domain);
}

void killBackboardd(UIAlertAction*) {
    pid_t pid;
    const char* args[] = {"killall", "backboardd", nullptr};
    posix_spawn(&pid, "/usr/bin/killall", nullptr, nullptr, const_cast<char* const*>(args), nullptr);
}

} // namespace

void VRSControllerOperations::afterViewDidLoad(PSListController* page) {
    if (rt::Ref<UINavigationController> stack = page->navigationController())
        stack->navigationBar()->setPrefersLargeTitles(NO);
}

void VRSControllerOperations::afterViewWillAppear(PSListController* page) {
    if (rt::Ref<UIWindow> window = keyWindow())
        window->setTintColor(PQPrefs::shared()->accentColour());
    // A fresh item on every appearance.
    auto apply = rt::make<UIBarButtonItem>();
    apply->initWithTitle("Apply", UIBarButtonItemStylePlain, page, rt::sel<"respring:">());
    page->navigationItem()->setRightBarButtonItem(apply);
}

void VRSControllerOperations::afterViewWillDisappear() {
    if (rt::Ref<UIWindow> window = keyWindow())
        window->setTintColor(UINavigationBar::appearance()->tintColor());
}

namespace {

// Rows whose cell reads a number (on/off, a position, a choice).
bool showsNumber(PSSpecifier* specifier) {
    switch (specifier->cellType()) {
    case PSSwitchCell:
    case PSSegmentCell:
    case PSSliderCell:
        return true;
    default:
        return specifier->properties().count("validTitles") != 0;
    }
}

} // namespace

// Read through the store the engine reads with, so that the pane shows what
// the engine uses: a value of no use to the row (a dictionary where a switch
// wants a number) counts as not stored and shows the row's default.
ns::PlistValue VRSControllerOperations::readPreferenceValue(PSListController*, PSSpecifier* specifier) {
    const auto domain = textProperty(specifier, "defaults");
    const auto key = textProperty(specifier, "key");
    if (domain && key) {
        if (showsNumber(specifier)) {
            if (auto number = PQPrefs::shared()->numberForKey(*key, *domain))
                return *number;
        } else if (ns::PlistValue stored = PQPrefs::shared()->objectForKey(*key, *domain); !stored.isNull()) {
            return stored;
        }
    }
    return specifier ? specifier->propertyForKey("default") : ns::PlistValue();
}

// A nil value or a row without "key" or "defaults" names nothing to store:
// nothing is written, no file is made and nothing is posted.
void VRSControllerOperations::setPreferenceValue(PSListController*, const ns::PlistValue& value,
                                                 PSSpecifier* specifier) {
    const auto domain = textProperty(specifier, "defaults");
    const auto key = textProperty(specifier, "key");
    if (!domain || !key || value.isNull())
        return;
    // Under the file's lock, so that a change made meanwhile elsewhere is kept.
    (void)ns::PlistFile::updateDictionary(preferencePath(*domain),
                                          [&](ns::PlistDictionary& settings) { settings[*key] = value; });
    if (const auto notification = textProperty(specifier, "PostNotification"))
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                             notification->c_str(), nullptr, nullptr, true);
}

void VRSControllerOperations::respring(PSListController* page, id) {
    auto alert =
        UIAlertController::alertControllerWithTitle("Respring", "Are you sure?", UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("Yes", UIAlertActionStyleDefault, &killBackboardd));
    alert->addAction(UIAlertAction::actionWithTitle("No", UIAlertActionStyleCancel, nullptr));
    page->presentViewController(alert, YES, nullptr);
}

PSSpecifierArray VRSControllerOperations::specifiersFromLayout(PSListController* page,
                                                               const char* layoutName) {
    if (!page->_specifiers)
        page->_specifiers = page->loadSpecifiersFromPlistName(layoutName, page);
    return *page->_specifiers;
}
