#include <Preferences/PSListController.h>

#include <CoreFoundation/CFNotificationCenter.h>
#include <Foundation/PlistFile.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <objc/message.h>

#include <cmath>

namespace {

// Non-empty string property, or nothing.
std::optional<std::string> textProperty(const PSSpecifier* specifier, const char* key) {
    ns::PlistValue value = specifier ? specifier->propertyForKey(key) : ns::PlistValue();
    const std::string* text = value.asString();
    if (!text || text->empty())
        return std::nullopt;
    return *text;
}

std::string preferencePath(const std::string& domain) {
    return "/var/mobile/Library/Preferences/" + domain + ".plist";
}

// Kinds whose cell shows the row's value.
bool holdsValue(PSCellType type) {
    switch (type) {
    case PSSwitchCell:
    case PSTitleValueCell:
    case PSLinkListCell:
    case PSEditTextCell:
    case PSSecureEditTextCell:
    case PSEditTextViewCell:
    case PSSegmentCell:
    case PSSliderCell:
        return true;
    default:
        return false;
    }
}

} // namespace

RT_DEFINE_CLASS(PSListController, nullptr)

PSListController::PSListController(Class cls) : UIViewController(cls) {}
PSListController::~PSListController() = default;

void PSListController::loadViewImpl() {
    rt::Ref<UITableView> list = rt::make<UITableView>();
    list->initWithFrame(CGRectZero, UITableViewStyleInsetGrouped);
    setView(list);
}

void PSListController::viewWillAppearImpl(BOOL animated) {
    viewWillAppearSuper(animated);
    reloadTable();
}

PSSpecifierArray PSListController::specifiersImpl() {
    return _specifiers.value_or(PSSpecifierArray{});
}

ns::PlistValue PSListController::readPreferenceValueImpl(PSSpecifier* specifier) {
    const auto key = textProperty(specifier, "key");
    const auto domain = textProperty(specifier, "defaults");
    if (key && domain) {
        auto stored = ns::PlistFile::readDictionary(preferencePath(*domain));
        if (stored.ok())
            if (auto found = stored.value().find(*key); found != stored.value().end())
                return found->second;
    }
    return specifier ? specifier->propertyForKey("default") : ns::PlistValue();
}

void PSListController::setPreferenceValueImpl(const ns::PlistValue& value, PSSpecifier* specifier) {
    const auto key = textProperty(specifier, "key");
    const auto domain = textProperty(specifier, "defaults");
    if (!key || !domain || value.isNull())
        return;
    (void)ns::PlistFile::updateDictionary(preferencePath(*domain),
                                          [&](ns::PlistDictionary& contents) { contents[*key] = value; });
    if (const auto notification = textProperty(specifier, "PostNotification"))
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                             notification->c_str(), nullptr, nullptr, true);
}

PSSpecifierArray PSListController::loadSpecifiersFromPlistName(const std::string& name, id target) {
    PSSpecifierArray rows;
    if (m_bundlePath.empty() || name.empty())
        return rows;
    auto layout = ns::PlistFile::readDictionary(m_bundlePath + "/" + name + ".plist");
    if (!layout.ok())
        return rows;
    if (auto title = layout.value().find("title"); title != layout.value().end() && title->second.asString())
        setTitle(*title->second.asString());
    auto items = layout.value().find("items");
    if (items == layout.value().end() || !items->second.asArray())
        return rows;
    for (const ns::PlistValue& item : *items->second.asArray())
        if (const ns::PlistDictionary* fields = item.asDictionary())
            rows.push_back(PSSpecifier::specifierWithLayoutItem(*fields, target));
    return rows;
}

Class PSListController::cellClassForSpecifier(const PSSpecifier* specifier) {
    if (!specifier)
        return PSTableCell::classObject();
    if (!specifier->cellClassName().empty())
        if (Class named = objc_getClass(specifier->cellClassName().c_str());
            named && rt::isSubclass(named, PSTableCell::classObject()))
            return named;
    return PSTableCell::cellClassForCellType(specifier->cellType());
}

rt::Ref<PSTableCell> PSListController::cachedCellForSpecifier(PSSpecifier* specifier) {
    if (!specifier)
        return nullptr;
    for (const auto& [row, cell] : m_cells)
        if (row.get() == specifier)
            return cell;

    const UITableViewCellStyle style =
        holdsValue(specifier->cellType()) ? UITableViewCellStyleValue1 : UITableViewCellStyleDefault;
    auto make = [&](Class cls) -> rt::Ref<PSTableCell> {
        rt::Ref<PSTableCell> cell = rt::createInstance<PSTableCell>(cls);
        if (!cell || !cell->initWithStyle(style, class_getName(cls), specifier))
            return nullptr;
        return cell;
    };
    rt::Ref<PSTableCell> cell = make(cellClassForSpecifier(specifier));
    if (!cell) // a cell that refused to initialise: the row still shows, as the host's own
        cell = make(PSTableCell::cellClassForCellType(specifier->cellType()));
    if (!specifier->name().empty())
        cell->textLabel()->setText(specifier->name());
    if (holdsValue(specifier->cellType()))
        cell->setValue(specifier->performGetter());
    m_cells.emplace_back(specifier, cell);
    view()->addSubview(cell);
    return cell;
}

rt::Ref<UIViewController> PSListController::controllerForSpecifier(PSSpecifier* specifier) {
    Class cls = specifier ? specifier->detailControllerClass() : nullptr;
    rt::Ref<UIViewController> controller = rt::createInstance<UIViewController>(cls);
    if (!controller)
        return nullptr;
    if (rt::Ref<PSListController> page = rt::dynamicCast<PSListController>(controller)) {
        page->setBundlePath(m_bundlePath);
        page->setSpecifier(specifier);
    }
    std::string title = specifier->name();
    if (title.empty())
        title = textProperty(specifier, "title").value_or("");
    controller->setTitle(title);
    return controller;
}

rt::Ref<UIViewController> PSListController::selectSpecifier(PSSpecifier* specifier) {
    if (!specifier)
        return nullptr;
    if (specifier->cellType() == PSLinkCell || specifier->cellType() == PSLinkListCell) {
        rt::Ref<UIViewController> controller = controllerForSpecifier(specifier);
        if (controller)
            if (rt::Ref<UINavigationController> stack = navigationController())
                stack->pushViewController(controller, YES);
        if (controller)
            return controller;
    }
    if (SEL action = specifier->buttonAction())
        UIApplication::sharedApplication()->sendAction(action, specifier->target(), specifier);
    return nullptr;
}

void PSListController::reloadSpecifiers() {
    if (rt::Ref<UITableView> table = isViewLoaded() ? this->table() : nullptr)
        table->setSections({});
    for (const auto& [row, cell] : m_cells)
        cell->removeFromSuperview();
    m_cells.clear();
    m_headerViews.clear();
    _specifiers.reset();
}

rt::Ref<UITableView> PSListController::table() {
    return rt::dynamicCast<UITableView>(view());
}

void PSListController::reloadTable() {
    rt::Ref<UITableView> table = this->table();
    if (!table)
        return; // a subclass made a view of its own
    std::vector<UITableView::Section> sections;
    for (const rt::Ref<PSSpecifier>& row : specifiers()) {
        if (row->cellType() == PSGroupCell) {
            sections.push_back({row->name(), textProperty(row, "footerText").value_or(""), {}});
            sections.back().headerView = cachedHeaderViewForSpecifier(row);
            continue;
        }
        if (sections.empty())
            sections.emplace_back();
        if (rt::Ref<PSTableCell> cell = cachedCellForSpecifier(row)) {
            sections.back().cells.push_back(cell);
            sections.back().rowHeights.push_back(rowHeightForSpecifier(row));
        }
    }
    table->setSections(std::move(sections));
}

CGFloat PSListController::rowHeightForSpecifier(const PSSpecifier* specifier) {
    const ns::PlistValue height = specifier ? specifier->propertyForKey("height") : ns::PlistValue();
    const double points = height.isNull() ? 0 : height.doubleValue();
    return std::isfinite(points) && points > 0 ? points : UITableView::kRowHeight;
}

rt::Ref<UIView> PSListController::cachedHeaderViewForSpecifier(PSSpecifier* specifier) {
    const auto className = textProperty(specifier, "headerCellClass");
    if (!className)
        return nullptr;
    for (const auto& [row, view] : m_headerViews)
        if (row.get() == specifier)
            return view;
    Class cls = objc_getClass(className->c_str());
    if (!cls || !rt::isSubclass(cls, UIView::classObject()))
        return nullptr; // a class this process lacks: the group keeps its title
    const CGFloat width = isViewLoaded() ? view()->bounds().size.width : 0;
    rt::Ref<UIView> header = rt::createInstance<UIView>(cls);
    if (!header || !header->initWithFrame(CGRectMake(0, 0, width, rowHeightForSpecifier(specifier))))
        return nullptr;
    m_headerViews.emplace_back(specifier, header);
    return header;
}
