#pragma once
#include <UIKit/UIView.h>

// The hairline between two rows of a list.
class UIKIT_EXTERN _UICollectionViewListSeparatorView : public UIView {
    RT_OBJECT(_UICollectionViewListSeparatorView, UIView)
};
