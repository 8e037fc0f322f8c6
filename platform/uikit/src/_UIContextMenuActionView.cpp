#include <UIKit/_UIContextMenuActionView.h>

RT_DEFINE_CLASS(_UIContextMenuActionView, nullptr)
