#include "SettingsHost.h"

#include "SystemViews.h"

#include "SettingsCells.h"
#include "ViewTree.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>
#include <Preferences/PSSwitchTableCell.h>
#include <Render/Screenshot.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UITouch.h>
#include <objc/message.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <tuple>

namespace hosts {

namespace {

std::string lower(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string textOf(const PSSpecifier* row, const char* key) {
    ns::PlistValue value = row->propertyForKey(key);
    return value.asString() ? *value.asString() : std::string();
}

// What a row calls itself: its name, or the title its own cell draws.
std::string titleOf(const PSSpecifier* row) {
    return row->name().empty() ? textOf(row, "title") : row->name();
}

bool isLink(const PSSpecifier* row) {
    return (row->cellType() == PSLinkCell || row->cellType() == PSLinkListCell) &&
           !row->detailControllerClassName().empty();
}

bool isSwitch(const PSSpecifier* row) {
    return row->cellType() == PSSwitchCell;
}

const ns::PlistArray* menuTitles(const PSSpecifier* row) {
    auto found = row->properties().find("validTitles");
    return found == row->properties().end() ? nullptr : found->second.asArray();
}

std::optional<bool> parseSwitch(const std::string& text) {
    const std::string word = lower(text);
    if (word == "on" || word == "yes" || word == "true" || word == "1")
        return true;
    if (word == "off" || word == "no" || word == "false" || word == "0")
        return false;
    return std::nullopt;
}

PSListController* asPage(UIViewController* controller) {
    return rt::is<PSListController>(controller) ? static_cast<PSListController*>(controller) : nullptr;
}

constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences/";

// A row whose accessory is an image view shows a picture, not a value.
rt::Ref<UIImageView> picturePreview(PSTableCell* cell) {
    return cell ? rt::dynamicCast<UIImageView>(cell->accessoryView()) : nullptr;
}

std::string pixelSize(const UIImage* image) {
    const CGSize size = image->size();
    const CGFloat scale = image->scale();
    return std::to_string(static_cast<long>(size.width * scale)) + "x" +
           std::to_string(static_cast<long>(size.height * scale));
}

// What identifies one version of a file: a file replaced in one step has a
// new inode, one rewritten in place a new size or time.
using Stamp = std::tuple<ino_t, off_t, long, long>;

std::map<std::string, Stamp> stampsIn(const std::string& folder) {
    std::map<std::string, Stamp> stamps;
    for (const std::string& name :
         NSFileManager::defaultManager()->contentsOfDirectoryAtPath(folder).value_or(
             std::vector<std::string>{}))
        if (auto info = ns::DevicePath::statInDevice(folder + name);
            info.ok() && S_ISREG(info.value().st_mode))
            stamps[name] = {info.value().st_ino, info.value().st_size, info.value().st_mtim.tv_sec,
                            info.value().st_mtim.tv_nsec};
    return stamps;
}

// The file a row's setter writes: its domain's, in the preferences folder.
std::string preferenceFile(PSSpecifier* row) {
    return "/var/mobile/Library/Preferences/" + textOf(row, "defaults") + ".plist";
}

// "JPEG, 640x480, 5120 bytes", by content whatever the name says.
std::string describeFile(const std::string& devicePath) {
    auto bytes = NSFileManager::defaultManager()->contentsAtPath(devicePath);
    if (!bytes)
        return "unreadable";
    const std::string count = std::to_string(bytes->size()) + " bytes";
    rt::Ref<UIImage> image = UIImage::imageWithData(*bytes);
    if (!image)
        return "not a picture, " + count;
    const bool jpeg = bytes->size() >= 3 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xD8 && (*bytes)[2] == 0xFF;
    return std::string(jpeg ? "JPEG" : "PNG") + ", " + pixelSize(image) + ", " + count;
}

// A picture of this machine, as the user names it: a regular file (never a
// FIFO or device, which would block or never end) that decodes.
rt::Ref<UIImage> pictureFromHostFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw SettingsError(path + ": " + std::strerror(errno), HostExitStatus::unreadableFile);
    struct stat info {};
    std::vector<std::uint8_t> bytes;
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool small = regular && static_cast<std::uint64_t>(info.st_size) <= uikit::kMaxImageBytes;
    if (small) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        for (ssize_t got;
             done < bytes.size() && (got = ::read(fd, bytes.data() + done, bytes.size() - done)) > 0;)
            done += static_cast<std::size_t>(got);
        bytes.resize(done);
    }
    ::close(fd);
    if (!regular)
        throw SettingsError(path + " is not a regular file");
    if (!small)
        throw SettingsError(path + " is too large for a picture");
    rt::Ref<UIImage> image = UIImage::imageWithData(bytes);
    if (!image)
        throw SettingsError(path + " is not a JPEG or PNG picture");
    return image;
}

} // namespace

SettingsHost::SettingsHost(const std::string& pane) {
    const std::string entryPath = std::string(kEntryFolder) + "/" + pane + ".plist";
    auto entryFile = ns::PlistFile::readDictionary(entryPath);
    if (!entryFile.ok())
        throw SettingsError("no settings pane \"" + pane + "\" is installed (" + entryFile.error() + ")",
                            HostExitStatus::unreadableFile);
    auto entry = entryFile.value().find("entry");
    const ns::PlistDictionary* fields =
        entry == entryFile.value().end() ? nullptr : entry->second.asDictionary();
    auto field = [&](const char* key) {
        auto found = fields ? fields->find(key) : ns::PlistDictionary::const_iterator();
        return fields && found != fields->end() && found->second.asString() ? *found->second.asString()
                                                                            : std::string();
    };
    const std::string bundle = field("bundle");
    const std::string rootClass = field("detail");
    if (bundle.empty() || rootClass.empty())
        throw SettingsError(entryPath + " names no bundle or no root page");

    m_bundlePath = std::string(kBundleFolder) + "/" + bundle + ".bundle";
    auto executable = ns::DevicePath::toHost(m_bundlePath + "/" + bundle);
    if (!executable.ok())
        throw SettingsError(executable.error(), HostExitStatus::unreadableFile);
    if (!dlopen(executable.value().c_str(), RTLD_NOW | RTLD_LOCAL))
        throw SettingsError(std::string("cannot load the settings pane: ") + dlerror(),
                            HostExitStatus::unreadableFile);

    Class cls = objc_getClass(rootClass.c_str());
    if (!cls)
        throw SettingsError("the settings pane has no class " + rootClass);
    m_root = rt::createInstance<PSListController>(cls);
    if (!m_root)
        throw SettingsError(rootClass + " is not a settings page");
    m_root->setBundlePath(m_bundlePath);
    m_root->setTitle(field("label"));

    m_stack = rt::make<UINavigationController>();
    m_stack->navigationBar()->setPrefersLargeTitles(YES); // the app's own pages use large titles
    m_stack->initWithRootViewController(m_root);
    m_window = rt::make<UIWindow>();
    m_window->setFrame(CGRectMake(0, 0, kScreenWidth, kScreenHeight));
    m_window->setRootViewController(m_stack);
    m_window->makeKeyAndVisible();
}

std::vector<SettingsHost::Page> SettingsHost::pages() {
    if (!m_pages.empty())
        return m_pages;
    m_pages.push_back({"Root", m_root->title(), class_getName(object_getClass(m_root)), {}});
    // Pages are opened off screen to read their links; each class is visited once.
    std::deque<std::pair<rt::Ref<PSListController>, std::vector<std::string>>> pending{{m_root, {}}};
    std::set<std::string> seen{m_pages.front().controllerClass};
    while (!pending.empty()) {
        auto [controller, path] = pending.front();
        pending.pop_front();
        for (const rt::Ref<PSSpecifier>& row : controller->specifiers()) {
            if (!isLink(row) || !seen.insert(row->detailControllerClassName()).second)
                continue;
            std::vector<std::string> rowPath = path;
            rowPath.push_back(row->identifier());
            m_pages.push_back({row->identifier(), titleOf(row), row->detailControllerClassName(), rowPath});
            rt::Ref<UIViewController> opened = controller->controllerForSpecifier(row);
            if (PSListController* next = asPage(opened))
                pending.emplace_back(rt::Ref<PSListController>(next), rowPath);
        }
    }
    return m_pages;
}

const SettingsHost::Page& SettingsHost::findPage(const std::string& name) {
    pages();
    for (const Page& page : m_pages)
        if (page.identifier == name || lower(page.title) == lower(name) ||
            lower(page.identifier) == lower(name))
            return page;
    std::string known;
    for (const Page& page : m_pages)
        known += (known.empty() ? "" : ", ") + page.identifier;
    throw SettingsError("no page \"" + name + "\" (pages: " + known + ")");
}

PSListController* SettingsHost::open(const Page& page) {
    while (m_stack->viewControllers().size() > 1)
        m_stack->popViewControllerAnimated(NO);
    PSListController* current = m_root;
    for (const std::string& step : page.path) {
        PSSpecifier* link = nullptr;
        for (const rt::Ref<PSSpecifier>& row : current->specifiers())
            if (isLink(row) && row->identifier() == step)
                link = row;
        rt::Ref<UIViewController> opened = link ? current->selectSpecifier(link) : nullptr;
        PSListController* next = asPage(opened);
        if (!next && link && link->detailControllerClass())
            throw SettingsError(page.controllerClass + " is not a settings page");
        if (!next || m_stack->topViewController().get() != next) // the stack owns the page from here
            throw SettingsError("the page " + page.identifier + " (" + page.controllerClass +
                                ") cannot be opened");
        current = next;
    }
    return current;
}

SettingsHost::RowDescription SettingsHost::describe(PSListController* controller, PSSpecifier* row) {
    RowDescription description;
    description.title = titleOf(row);
    description.key = textOf(row, "key");
    if (row->cellType() == PSGroupCell) {
        description.isGroup = true;
        description.cellClass = "PSGroupCell";
        return description;
    }
    rt::Ref<PSTableCell> cell = controller->cachedCellForSpecifier(row);
    description.cellClass = class_getName(object_getClass(cell));
    if (!row->cellClassName().empty() && row->cellClassName() != description.cellClass)
        description.cellClass += " (for " + row->cellClassName() + ")";
    description.offersOpacity = row->propertyForKey("supportAlpha").boolValue();
    description.hasMenu = SettingsCells::menuButton(cell) != nullptr;
    description.hasInfo = SettingsCells::infoButton(cell) != nullptr;

    // The value as the row's own cell shows it.
    if (isLink(row)) {
        description.value = "opens " + row->detailControllerClassName();
    } else if (rt::Ref<UIImageView> preview = picturePreview(cell)) {
        rt::Ref<UIImage> image = preview->image();
        description.value = image ? "picture " + pixelSize(image) : "none";
    } else if (auto switchCell = rt::dynamicCast<PSSwitchTableCell>(cell)) {
        description.value = switchCell->control()->isOn() ? "on" : "off";
    } else if (auto shown = SettingsCells::shownValue(cell)) {
        description.value = *shown;
    } else if (const ns::PlistArray* titles = menuTitles(row)) {
        const ns::PlistValue index = controller->readPreferenceValue(row);
        const long long at = index.integerValue();
        description.value = at >= 0 && static_cast<std::size_t>(at) < titles->size()
                                ? (*titles)[at].stringValue() + " (" + std::to_string(at) + ")"
                                : "(" + index.stringValue() + ")";
    } else if (!description.key.empty()) {
        // A cell that shows no text of its value stands in for one that draws
        // it: the row's value as its getter reports it.
        description.value = cell->detailTextLabel()->text();
        if (description.value.empty())
            if (const ns::PlistValue value = row->performGetter(); !value.isNull())
                description.value = value.stringValue();
    }
    return description;
}

std::vector<SettingsHost::RowDescription> SettingsHost::show(const std::string& name) {
    PSListController* controller = open(findPage(name));
    std::vector<RowDescription> rows;
    for (const rt::Ref<PSSpecifier>& row : controller->specifiers())
        rows.push_back(describe(controller, row));
    return rows;
}

SettingsHost::FoundRow SettingsHost::findRow(const std::string& key) {
    for (const Page& page : pages()) {
        PSListController* controller = open(page);
        for (const rt::Ref<PSSpecifier>& row : controller->specifiers()) {
            if (textOf(row, "key") != key || row->cellType() == PSGroupCell)
                continue;
            FoundRow found{page.identifier + ": " + titleOf(row) + " (" + key + ")", controller, row,
                           controller->cachedCellForSpecifier(row),
                           ns::FileStamp::ofItemAtPath(preferenceFile(row))};
            controller->reloadTable();
            m_window->layoutIfNeeded(); // a finger needs the cell where it is drawn
            return found;
        }
    }
    throw SettingsError("no row stores the key \"" + key + "\"");
}

std::string SettingsHost::confirmStored(const FoundRow& found, const std::string& key,
                                        const ns::PlistValue& expected, const std::string& shown) {
    // From the file itself: the row would answer its default for a change
    // that was never written.
    const std::string file = preferenceFile(found.row);
    auto stored = ns::PlistFile::readDictionary(file);
    auto at = stored ? stored.value().find(key) : ns::PlistDictionary::iterator();
    if (!stored || at == stored.value().end() || !(at->second == expected)) {
        // A file that changed yet lacks the change was replaced by another writer.
        const bool replaced = stored && ns::FileStamp::ofItemAtPath(file) != found.fileBefore;
        throw SettingsError("the change of " + key + " was not saved (is the preference file writable?)",
                            replaced ? HostExitStatus::lostRace : HostExitStatus::unreadableFile);
    }
    return found.where + " = " + shown;
}

std::string SettingsHost::set(const std::string& key, const std::string& value, const std::string& colour) {
    const FoundRow found = findRow(key);
    PSSpecifier* row = found.row;
    if (picturePreview(found.cell))
        throw SettingsError(key + " shows a picture, chosen in its image picker; it takes no value");
    if (isSwitch(row)) {
        auto on = parseSwitch(value);
        if (!on)
            throw SettingsError(key + " is a switch: give on or off");
        auto cell = rt::dynamicCast<PSSwitchTableCell>(found.cell);
        if (!cell)
            throw SettingsError(key + ": its cell has no switch");
        cell->control()->toggleByUser(*on);
        return confirmStored(found, key, ns::PlistValue(*on), *on ? "on" : "off");
    }
    if (SettingsCells::menuButton(found.cell))
        return chooseInMenu(found, key, value);
    if (const ns::PlistArray* titles = menuTitles(row)) { // the host's own list rows
        std::optional<std::size_t> chosen;
        for (std::size_t i = 0; i < titles->size(); ++i)
            if (lower((*titles)[i].stringValue()) == lower(value) || std::to_string(i) == value)
                chosen = i;
        if (!chosen) {
            std::string choices;
            for (const ns::PlistValue& title : *titles)
                choices += (choices.empty() ? "" : ", ") + title.stringValue();
            throw SettingsError(key + " is one of: " + choices);
        }
        const ns::PlistValue index(static_cast<long long>(*chosen));
        row->performSetterWithValue(index);
        return confirmStored(found, key, index,
                             (*titles)[*chosen].stringValue() + " (" + std::to_string(*chosen) + ")");
    }
    if (row->buttonAction()) { // a row that acts on a tap: a colour row opens its picker
        if (!SettingsCells::openColourPicker(found.controller, row))
            throw SettingsError(key + " is set in its own screen; it takes no value");
        found.controller->dismissViewControllerAnimated(NO, nullptr);
        if (colour.empty())
            throw SettingsError(key + " is a colour: give RRGGBB, RRGGBBAA or a colour name");
        return pickColours(found, key, {colour}, true).back();
    }
    row->performSetterWithValue(ns::PlistValue(value));
    return confirmStored(found, key, ns::PlistValue(value), value);
}

std::vector<std::string> SettingsHost::pickColour(const std::string& key,
                                                  const std::vector<std::string>& colours, bool withAlpha) {
    return pickColours(findRow(key), key, colours, withAlpha);
}

std::vector<std::string> SettingsHost::pickColours(const FoundRow& found, const std::string& key,
                                                   const std::vector<std::string>& colours, bool withAlpha) {
    std::vector<UIColor::Components> picks;
    for (const std::string& colour : colours) {
        auto components = SettingsCells::parseHex(colour);
        if (!components)
            throw SettingsError("not a colour: " + colour + " (give eight hex digits)");
        picks.push_back(*components);
    }
    rt::Ref<UIColorPickerViewController> picker =
        SettingsCells::openColourPicker(found.controller, found.row);
    if (!picker)
        throw SettingsError(key + " is not a colour row");
    std::vector<std::string> lines;
    for (UIColor::Components pick : picks) {
        if (!withAlpha) // the opacity stays where the picker had it
            pick.alpha = picker->selectedColor() ? picker->selectedColor()->components().alpha : 1.0;
        picker->_userDidSelectColor(UIColor::colorWithRed(pick.red, pick.green, pick.blue, pick.alpha));
        lines.push_back("picked " + ViewTree::hex(picker->selectedColor()));
    }
    picker->_userDidFinish();
    if (found.controller->presentedViewController())
        throw SettingsError("the colour picker of " + key + " did not close");
    const std::string final = ViewTree::hex(picker->selectedColor());
    lines.push_back(confirmStored(found, key, ns::PlistValue(final), final));
    return lines;
}

std::vector<std::string> SettingsHost::menu(const std::string& key) {
    const FoundRow found = findRow(key);
    rt::Ref<UIButton> button = SettingsCells::menuButton(found.cell);
    if (!button)
        throw SettingsError(key + " has no menu");
    rt::Ref<UIMenu> shown = SettingsCells::openMenu(found.cell, button);
    if (!shown)
        throw SettingsError("the menu of " + key + " did not open");
    std::vector<std::string> lines{shown->title()};
    for (const SettingsCells::MenuEntry& entry : SettingsCells::entries(shown))
        lines.push_back((entry.checked ? "\u2713 " : "  ") + entry.title);
    button->_dismissMenu();
    return lines;
}

std::string SettingsHost::choose(const std::string& key, const std::string& entry) {
    const FoundRow found = findRow(key);
    if (!SettingsCells::menuButton(found.cell))
        throw SettingsError(key + " has no menu");
    return chooseInMenu(found, key, entry);
}

std::string SettingsHost::chooseInMenu(const FoundRow& found, const std::string& key,
                                       const std::string& entry) {
    rt::Ref<UIButton> button = SettingsCells::menuButton(found.cell);
    rt::Ref<UIMenu> shown = SettingsCells::openMenu(found.cell, button);
    if (!shown)
        throw SettingsError("the menu of " + key + " did not open");
    const std::vector<SettingsCells::MenuEntry> entries = SettingsCells::entries(shown);
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < entries.size() && !chosen; ++i)
        if (std::to_string(i) == entry || lower(entries[i].title) == lower(entry))
            chosen = i;
    if (!chosen) {
        button->_dismissMenu();
        std::string choices;
        for (const SettingsCells::MenuEntry& each : entries)
            choices += (choices.empty() ? "" : ", ") + each.title;
        throw SettingsError(key + " is one of: " + choices + " (or their positions from 0)");
    }
    button->_chooseMenuAction(entries[*chosen].action);
    return confirmStored(found, key, ns::PlistValue(static_cast<long long>(*chosen)),
                         SettingsCells::shownValue(found.cell).value_or(entries[*chosen].title));
}

std::vector<std::string> SettingsHost::info(const std::string& key) {
    const FoundRow found = findRow(key);
    rt::Ref<UIButton> button = SettingsCells::infoButton(found.cell);
    if (!button)
        throw SettingsError(key + " has no info button");
    uikit::tap(found.cell, button);
    auto alert = rt::dynamicCast<UIAlertController>(found.controller->presentedViewController());
    if (!alert)
        throw SettingsError("the info button of " + key + " showed no alert");
    std::string buttons;
    UIAlertAction* cancel = nullptr;
    for (const rt::Ref<UIAlertAction>& action : alert->actions()) {
        buttons += (buttons.empty() ? "" : " / ") + action->title();
        if (action->style() == UIAlertActionStyleCancel)
            cancel = action;
    }
    std::vector<std::string> lines{"title: " + alert->title(), "message: " + alert->message(),
                                   "actions: " + buttons};
    if (cancel)
        alert->_dismissWithAction(cancel);
    else
        found.controller->dismissViewControllerAnimated(NO, nullptr);
    return lines;
}

rt::Ref<UIView> SettingsHost::views(const std::string& name) {
    PSListController* controller = open(findPage(name));
    hosts::SystemViews::addTo(m_window); // over whatever the page put in the window
    m_window->layoutIfNeeded();
    return controller->view();
}

void SettingsHost::screenshot(const std::string& name, const std::string& hostPath, double scale) {
    views(name);
    if (auto written = render::Screenshot::writePNG(m_window, hostPath, scale); !written.ok())
        throw SettingsError(written.error(), HostExitStatus::unreadableFile);
}

std::vector<std::string> SettingsHost::pickImage(const std::string& key, const ImageChoice& choice) {
    for (const Page& page : pages()) {
        PSListController* controller = open(page);
        for (const rt::Ref<PSSpecifier>& row : controller->specifiers()) {
            if (textOf(row, "key") != key || row->cellType() == PSGroupCell)
                continue;
            controller->cachedCellForSpecifier(row);
            controller->reloadTable(); // the row on screen, where a finger finds it
            m_window->layoutIfNeeded();
            std::vector<std::string> lines{"tapped " + page.identifier + ": " + titleOf(row) + " (" + key +
                                           ")"};
            controller->selectSpecifier(row);
            auto picker = rt::dynamicCast<UIImagePickerController>(controller->presentedViewController());
            if (!picker)
                throw SettingsError(key + " holds no picture: its row opened no image picker");
            const std::vector<std::string> photos = UIImagePickerController::photoLibrary();
            lines.push_back("the image picker shows " + std::to_string(photos.size()) + " photo" +
                            (photos.size() == 1 ? "" : "s"));

            const auto before = stampsIn(kPreferencesFolder);
            switch (choice.kind) {
            case ImageChoice::Kind::photo:
                if (!picker->_pickPhotoNamed(choice.value)) {
                    std::string known;
                    for (const std::string& photo : photos)
                        known += (known.empty() ? "" : ", ") + photo;
                    throw SettingsError("no photo \"" + choice.value + "\" in the library (photos: " +
                                        (known.empty() ? "none" : known) + ")");
                }
                lines.push_back("picked " + choice.value);
                break;
            case ImageChoice::Kind::hostFile:
                picker->_pickImage(pictureFromHostFile(choice.value));
                lines.push_back("picked " + choice.value);
                break;
            case ImageChoice::Kind::cancel:
                picker->_cancel();
                lines.push_back("cancelled");
                break;
            }
            lines.push_back(controller->presentedViewController() ? "the picker is still open"
                                                                  : "the picker closed");

            // The pane stays silent about a failed write, as on the device;
            // the simulator never reports a lost pick as done.
            const auto after = stampsIn(kPreferencesFolder);
            std::size_t written = 0;
            for (const auto& [name, stamp] : after) {
                auto old = before.find(name);
                if (old != before.end() && old->second == stamp)
                    continue;
                ++written;
                lines.push_back("wrote " + std::string(kPreferencesFolder) + name + " (" +
                                describeFile(kPreferencesFolder + name) + ")");
            }
            for (const auto& [name, stamp] : before)
                if (!after.count(name))
                    lines.push_back("removed " + std::string(kPreferencesFolder) + name);
            if (written == 0 && choice.kind != ImageChoice::Kind::cancel)
                throw SettingsError("the picked picture of " + key + " was not saved (is " +
                                        kPreferencesFolder + " writable?)",
                                    HostExitStatus::unreadableFile);
            if (written == 0)
                lines.push_back("nothing written");
            return lines;
        }
    }
    throw SettingsError("no row stores the key \"" + key + "\"");
}

std::vector<std::string> SettingsHost::apply(const std::string& answer, const std::string& name) {
    PSListController* controller = open(findPage(name));
    rt::Ref<UIBarButtonItem> button = controller->navigationItem()->rightBarButtonItem();
    if (!button)
        throw SettingsError("the page " + name + " has no Apply button");
    std::vector<std::string> lines{"tapped " + button->title()};
    button->tap();
    auto alert = rt::dynamicCast<UIAlertController>(controller->presentedViewController());
    if (!alert)
        throw SettingsError(button->title() + " showed no alert");
    std::string buttons;
    UIAlertAction* chosen = nullptr;
    for (const rt::Ref<UIAlertAction>& action : alert->actions()) {
        buttons += (buttons.empty() ? "" : " / ") + action->title();
        if (lower(action->title()) == lower(answer))
            chosen = action;
    }
    lines.push_back("alert: " + alert->title() + ": " + alert->message() + " [" + buttons + "]");
    if (!chosen)
        throw SettingsError("the alert has no button \"" + answer + "\" (buttons: " + buttons + ")");
    alert->_dismissWithAction(chosen);
    lines.push_back("answered " + chosen->title());
    return lines;
}

} // namespace hosts
