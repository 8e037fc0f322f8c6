#pragma once
#include <UIKit/UICollectionView.h>
#include <UIKit/UIViewController.h>
#include <objc/Weak.h>

#include <functional>
#include <vector>

// A controller whose view is a collection view. Subclasses make their own
// kind of collection view by overriding "loadView". The collection view is
// the view, loaded on first use.
#define UICOLLECTIONVIEWCONTROLLER_METHODS(M, O, C)                                                          \
    M(rt::Ref<UICollectionView>, collectionView, "collectionView", ())                                       \
    O(loadView)

class UIKIT_EXTERN UICollectionViewController : public UIViewController {
    RT_OBJECT(UICollectionViewController, UIViewController)
    RT_METHODS(UICOLLECTIONVIEWCONTROLLER_METHODS)

  public:
    // The cells in view that are Cells, in order; none before the view loads.
    template <class Cell> std::vector<rt::Ref<Cell>> visibleCellsOfType() {
        std::vector<rt::Ref<Cell>> cells;
        if (!isViewLoaded())
            return cells;
        for (const UICollectionView::VisibleCell& visible : collectionView()->visibleCells())
            if (auto cell = rt::dynamicCast<Cell>(visible.cell))
                cells.push_back(cell);
        return cells;
    }

  protected:
    // A data source callback served by a member of the controller, held
    // weakly: the collection view may outlive its controller, and then the
    // callback answers `gone`.
    template <class Controller, class R, class... A>
    static std::function<R(A...)> weakly(Controller* controller, R (Controller::*member)(A...),
                                         R gone = R()) {
        return [weak = rt::Weak<Controller>(controller), member, gone](A... args) -> R {
            rt::Ref<Controller> self = weak.lock();
            return self ? (self.get()->*member)(args...) : gone;
        };
    }
};
