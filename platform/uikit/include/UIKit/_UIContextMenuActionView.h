#pragma once
#include <UIKit/UILabel.h>

// One action row of a context menu: title, optional subtitle and trailing icon.
#define UICONTEXTMENUACTIONVIEW_PROPERTIES(P)                                                                \
    P(rt::Ref<UILabel>, titleLabel, setTitleLabel, {})                                                       \
    P(rt::Ref<UILabel>, subtitleLabel, setSubtitleLabel, {})                                                 \
    P(rt::Ref<UIView>, trailingImageView, setTrailingImageView, {})

class UIKIT_EXTERN _UIContextMenuActionView : public UIView {
    RT_OBJECT(_UIContextMenuActionView, UIView)
    RT_PROPERTIES(UICONTEXTMENUACTIONVIEW_PROPERTIES)
};
