#pragma once
#include <UIKit/UICollectionView.h>
#include <UIKit/UIViewController.h>

// A controller whose view is a collection view. Subclasses make their own
// kind of collection view by overriding "loadView". The collection view is
// the view, loaded on first use.
#define UICOLLECTIONVIEWCONTROLLER_METHODS(M, O)                                                             \
    M(rt::Ref<UICollectionView>, collectionView, "collectionView", ())                                       \
    O(loadView)

class UIKIT_EXTERN UICollectionViewController : public UIViewController {
    RT_OBJECT(UICollectionViewController, UIViewController)
    RT_METHODS(UICOLLECTIONVIEWCONTROLLER_METHODS)
};
