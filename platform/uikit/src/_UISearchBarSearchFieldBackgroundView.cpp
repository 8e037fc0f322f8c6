#include <UIKit/_UISearchBarSearchFieldBackgroundView.h>

RT_DEFINE_CLASS(_UISearchBarSearchFieldBackgroundView, nullptr)
