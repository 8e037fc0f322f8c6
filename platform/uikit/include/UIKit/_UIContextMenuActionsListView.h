#pragma once
#include <UIKit/UIView.h>

// The list of a context menu's actions (newer layout).
class UIKIT_EXTERN _UIContextMenuActionsListView : public UIView {
    RT_OBJECT(_UIContextMenuActionsListView, UIView)
};
