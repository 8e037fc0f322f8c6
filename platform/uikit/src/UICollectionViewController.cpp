#include <UIKit/UICollectionViewController.h>

#include <UIKit/UIScreen.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UICollectionViewController, nullptr)

void UICollectionViewController::loadViewImpl() {
    rt::Ref<UICollectionView> list = rt::make<UICollectionView>();
    list->setFrame(UIScreen::mainScreen()->bounds()); // until its controller places it
    setView(list);
}

rt::Ref<UICollectionView> UICollectionViewController::collectionViewImpl() {
    return rt::dynamicCast<UICollectionView>(view());
}
