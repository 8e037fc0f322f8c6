#include <UIKit/_UIContextMenuListView.h>

RT_DEFINE_CLASS(_UIContextMenuListView, nullptr)
