#include <UIKit/_UICollectionViewListSeparatorView.h>

RT_DEFINE_CLASS(_UICollectionViewListSeparatorView, nullptr)
