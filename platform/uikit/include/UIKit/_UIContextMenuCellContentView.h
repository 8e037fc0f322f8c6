#pragma once
#include <UIKit/UILabel.h>

// The content of one action row of a context menu (newer layout).
#define UICONTEXTMENUCELLCONTENTVIEW_PROPERTIES(P)                                                           \
    P(rt::Ref<UILabel>, titleLabel, setTitleLabel, {})                                                       \
    P(rt::Ref<UILabel>, subtitleLabel, setSubtitleLabel, {})                                                 \
    P(rt::Ref<UIView>, trailingImageView, setTrailingImageView, {})

class UIKIT_EXTERN _UIContextMenuCellContentView : public UIView {
    RT_OBJECT(_UIContextMenuCellContentView, UIView)
    RT_PROPERTIES(UICONTEXTMENUCELLCONTENTVIEW_PROPERTIES)
};
