#include "ContextMenu.h"

#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIVisualEffectView.h>
#include <UIKit/_UIContextMenuActionView.h>
#include <UIKit/_UIContextMenuActionsListView.h>
#include <UIKit/_UIContextMenuCellContentView.h>

#include <optional>
#include <string>

namespace messages {

namespace {

constexpr CGFloat kMargin = 16;
constexpr CGFloat kIconSize = 20;

struct Row {
    const char* title;
    std::optional<std::string> subtitle;
    const char* symbol;
};

// Background, then beneath it a content view and the backdrop: the levels a
// menu's walk colours.
rt::Ref<UIView> layeredBackground(CGRect frame, UIVisualEffect* effect, UIColor* tint) {
    rt::Ref<UIVisualEffectView> background = rt::make<UIVisualEffectView>();
    background->setEffect(effect);
    background->setFrame(frame);
    rt::Ref<UIView> content = rt::make<UIView>();
    content->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
    rt::Ref<UIView> backdrop = rt::make<UIView>();
    backdrop->setFrame(content->frame());
    backdrop->setBackgroundColor(tint);
    content->addSubview(backdrop);
    background->addSubview(content);
    return background;
}

rt::Ref<UILabel> label(const std::string& text, CGFloat size, UIColor* colour, CGRect frame) {
    rt::Ref<UILabel> made = rt::make<UILabel>();
    made->setText(text);
    made->setFont(UIFont::systemFontOfSize(size));
    made->setTextColor(colour);
    made->setFrame(frame);
    return made;
}

// Rows are action views, except the last, drawn by the newer cell content view.
template <class RowView> rt::Ref<UIView> makeRow(const Row& row, CGFloat y) {
    rt::Ref<RowView> view = rt::make<RowView>();
    const CGFloat height = row.subtitle ? ContextMenu::kRowWithSubtitleHeight : ContextMenu::kRowHeight;
    view->setFrame(CGRectMake(0, y, ContextMenu::kWidth, height));
    const CGFloat textWidth = ContextMenu::kWidth - 3 * kMargin - kIconSize;
    const CGFloat titleTop = row.subtitle ? 9 : 11;
    rt::Ref<UILabel> title =
        label(row.title, 17, UIColor::labelColor(), CGRectMake(kMargin, titleTop, textWidth, 22));
    view->addSubview(title);
    view->setTitleLabel(title);
    if (row.subtitle) {
        rt::Ref<UILabel> subtitle =
            label(*row.subtitle, 13, UIColor::secondaryLabelColor(), CGRectMake(kMargin, 31, textWidth, 16));
        view->addSubview(subtitle);
        view->setSubtitleLabel(subtitle);
    }
    rt::Ref<UIImageView> icon = rt::make<UIImageView>();
    icon->setImage(UIImage::systemImageNamed(row.symbol));
    icon->setTintColor(UIColor::labelColor());
    icon->setFrame(CGRectMake(ContextMenu::kWidth - kMargin - kIconSize, (height - kIconSize) / 2, kIconSize,
                              kIconSize));
    view->addSubview(icon);
    view->setTrailingImageView(icon);
    return view;
}

} // namespace

rt::Ref<_UIContextMenuListView> ContextMenu::make(CGPoint origin) {
    const Row rows[] = {{"Reply", std::nullopt, "arrowshape.turn.up.left"},
                        {"Copy", std::nullopt, "doc.on.doc"},
                        {"Translate", std::string("English"), "globe"},
                        {"More…", std::nullopt, "ellipsis.circle"}};
    CGFloat height = 0;
    for (const Row& row : rows)
        height += row.subtitle ? kRowWithSubtitleHeight : kRowHeight;
    const CGRect bounds = CGRectMake(0, 0, kWidth, height);

    rt::Ref<_UIContextMenuListView> list = rt::make<_UIContextMenuListView>();
    list->setFrame(CGRectMake(origin.x, origin.y, kWidth, height));
    list->layer()->setCornerRadius(kCornerRadius);
    list->setClipsToBounds(YES);
    rt::Ref<UIView> platter = rt::make<UIView>();
    platter->setFrame(bounds);
    list->addSubview(platter);
    rt::Ref<UIBlurEffect> material = UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemMaterial);
    rt::Ref<UIColor> tint = UIColor::colorWithWhite(1, 0.3);
    platter->addSubview(layeredBackground(bounds, material, tint));

    rt::Ref<_UIContextMenuActionsListView> actions = rt::make<_UIContextMenuActionsListView>();
    actions->setFrame(bounds);
    platter->addSubview(actions);
    rt::Ref<UIView> content = rt::make<UIView>();
    content->setFrame(bounds);
    actions->addSubview(content);
    content->addSubview(layeredBackground(bounds, nullptr, UIColor::clearColor()));
    CGFloat y = 0;
    for (size_t i = 0; i < std::size(rows); ++i) {
        rt::Ref<UIView> row = i + 1 < std::size(rows) ? makeRow<_UIContextMenuActionView>(rows[i], y)
                                                      : makeRow<_UIContextMenuCellContentView>(rows[i], y);
        content->addSubview(row);
        y += row->frame().size.height;
        if (i + 1 < std::size(rows)) {
            rt::Ref<UIView> separator = rt::make<UIView>();
            separator->setFrame(CGRectMake(0, y - 1.0 / 3.0, kWidth, 1.0 / 3.0));
            separator->setBackgroundColor(UIColor::separatorColor());
            content->addSubview(separator);
        }
    }
    return list;
}

} // namespace messages
