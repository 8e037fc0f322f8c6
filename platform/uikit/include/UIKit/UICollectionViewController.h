#pragma once
#include <UIKit/UICollectionView.h>
#include <UIKit/UIViewController.h>

// A controller whose view is a collection view. Subclasses make their own
// kind of collection view by overriding "loadView".
class UIKIT_EXTERN UICollectionViewController : public UIViewController {
    RT_OBJECT(UICollectionViewController, UIViewController)

    // Runtime method "collectionView": the view, loaded on first use.
    rt::Ref<UICollectionView> collectionView();
};
