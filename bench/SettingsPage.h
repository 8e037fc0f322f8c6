#pragma once
// A settings-like page laid out by hand: a navigation bar with a title and
// "Apply", then a grouped inset list of sections, each row an icon, a title
// and a value, switch or chevron. What a screenshot of the pane holds.
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UIWindow.h>

#include <string>
#include <vector>

namespace bench {

struct PageRow {
    const char* title;
    const char* symbol;
    enum class Accessory { value, toggle, chevron } accessory;
    const char* value;
};

inline rt::Ref<UILabel> pageLabel(CGRect frame, const std::string& text, rt::Ref<UIFont> font,
                                  rt::Ref<UIColor> colour,
                                  NSTextAlignment alignment = NSTextAlignmentNatural) {
    auto label = rt::make<UILabel>();
    label->setFrame(frame);
    label->setText(text);
    label->setFont(font);
    label->setTextColor(colour);
    label->setTextAlignment(alignment);
    return label;
}

// The window stays alive with the controller it shows.
inline rt::Ref<UIWindow> buildSettingsPage(CGSize screen = {390, 844}) {
    auto window = rt::make<UIWindow>();
    window->setFrame(CGRect{{}, screen});
    window->setBackgroundColor(UIColor::systemGroupedBackgroundColor());

    auto page = rt::make<UIViewController>();
    page->navigationItem()->setTitle("Vantorel");
    auto apply = rt::make<UIBarButtonItem>();
    apply->initWithTitle("Apply", UIBarButtonItemStyleDone, nullptr, nullptr);
    page->navigationItem()->setRightBarButtonItem(apply);
    auto stack = rt::make<UINavigationController>();
    stack->initWithRootViewController(page);
    window->setRootViewController(stack);
    stack->view()->setFrame(window->bounds());
    stack->navigationBar()->setFrame(CGRectMake(0, 47, screen.width, 44));
    page->view()->setFrame(CGRectMake(0, 91, screen.width, screen.height - 91));
    page->view()->setBackgroundColor(UIColor::systemGroupedBackgroundColor());

    const std::vector<std::pair<const char*, std::vector<PageRow>>> sections{
        {"THEME",
         {{"Enable", "paintbrush", PageRow::Accessory::toggle, nullptr},
          {"System colours", "gearshape", PageRow::Accessory::chevron, nullptr},
          {"Backgrounds", "photo", PageRow::Accessory::chevron, nullptr},
          {"Cell colours", "square.and.pencil", PageRow::Accessory::chevron, nullptr},
          {"Label colours", "doc.on.doc", PageRow::Accessory::value, "Default"}}},
        {"CHAT",
         {{"Chat wallpaper", "camera.fill", PageRow::Accessory::toggle, nullptr},
          {"Blur", "info.circle", PageRow::Accessory::value, "Dark"},
          {"Bubbles", "paperplane.fill", PageRow::Accessory::chevron, nullptr},
          {"Send button", "arrow.up.circle.fill", PageRow::Accessory::value, "Orange"},
          {"Menus", "ellipsis.circle", PageRow::Accessory::chevron, nullptr}}},
        {"MORE",
         {{"Pinned", "pin.fill", PageRow::Accessory::toggle, nullptr},
          {"Quiet conversations", "bell.slash.fill", PageRow::Accessory::toggle, nullptr},
          {"Reset", "trash", PageRow::Accessory::chevron, nullptr}}},
    };
    rt::Ref<UIColor> accent = UIColor::systemOrangeColor();
    const double inset = 16, rowHeight = 44, width = screen.width - 2 * inset;
    double y = 18;
    for (const auto& [header, rows] : sections) {
        page->view()->addSubview(pageLabel(CGRectMake(inset + 16, y, width - 32, 18), header,
                                           UIFont::systemFontOfSize(13), UIColor::secondaryLabelColor()));
        y += 24;
        auto group = rt::make<UIView>();
        group->setFrame(CGRectMake(inset, y, width, rowHeight * rows.size()));
        group->setBackgroundColor(UIColor::secondarySystemGroupedBackgroundColor());
        group->layer()->setCornerRadius(10);
        group->setClipsToBounds(YES);
        page->view()->addSubview(group);
        for (size_t i = 0; i < rows.size(); ++i) {
            const PageRow& row = rows[i];
            const double top = rowHeight * i;
            auto icon = rt::make<UIView>();
            icon->setFrame(CGRectMake(16, top + 7.5, 29, 29));
            icon->setBackgroundColor(accent);
            icon->layer()->setCornerRadius(7);
            auto symbol = rt::make<UIImageView>();
            symbol->setImage(UIImage::systemImageNamed(row.symbol));
            symbol->setContentMode(UIViewContentModeScaleAspectFit);
            symbol->setFrame(CGRectMake(4.5, 4.5, 20, 20));
            symbol->setTintColor(UIColor::whiteColor());
            icon->addSubview(symbol);
            group->addSubview(icon);
            group->addSubview(pageLabel(CGRectMake(60, top, width - 150, rowHeight), row.title,
                                        UIFont::systemFontOfSize(17), UIColor::labelColor()));
            switch (row.accessory) {
            case PageRow::Accessory::value:
                group->addSubview(pageLabel(CGRectMake(width - 136, top, 120, rowHeight), row.value,
                                            UIFont::systemFontOfSize(17), UIColor::secondaryLabelColor(),
                                            NSTextAlignmentRight));
                break;
            case PageRow::Accessory::toggle: {
                auto toggle = rt::make<UISwitch>();
                toggle->setFrame(CGRectMake(width - 67, top + 6.5, 51, 31));
                toggle->setOn(i % 2 == 0);
                toggle->setOnTintColor(accent);
                group->addSubview(toggle);
                break;
            }
            case PageRow::Accessory::chevron: {
                auto chevron = rt::make<UIImageView>();
                chevron->setImage(UIImage::systemImageNamed("chevron.right"));
                chevron->setContentMode(UIViewContentModeScaleAspectFit);
                chevron->setFrame(CGRectMake(width - 30, top + 15, 14, 14));
                chevron->setTintColor(UIColor::tertiaryLabelColor());
                group->addSubview(chevron);
                break;
            }
            }
            if (i + 1 < rows.size()) {
                auto separator = rt::make<UIView>();
                separator->setFrame(CGRectMake(60, top + rowHeight - 0.33, width - 60, 0.33));
                separator->setBackgroundColor(UIColor::separatorColor());
                group->addSubview(separator);
            }
        }
        y += rowHeight * rows.size() + 20;
    }
    return window;
}

} // namespace bench
