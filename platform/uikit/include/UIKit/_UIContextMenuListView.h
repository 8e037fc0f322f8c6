#pragma once
#include <UIKit/UIView.h>

// The list a context menu shows its actions in.
class UIKIT_EXTERN _UIContextMenuListView : public UIView {
    RT_OBJECT(_UIContextMenuListView, UIView)
};
