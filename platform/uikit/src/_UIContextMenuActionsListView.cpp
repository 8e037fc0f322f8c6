#include <UIKit/_UIContextMenuActionsListView.h>

RT_DEFINE_CLASS(_UIContextMenuActionsListView, nullptr)
