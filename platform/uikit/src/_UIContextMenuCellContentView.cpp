#include <UIKit/_UIContextMenuCellContentView.h>

RT_DEFINE_CLASS(_UIContextMenuCellContentView, nullptr)
