#include <UIKit/UICollectionViewController.h>

#include <UIKit/UIScreen.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UICollectionViewController, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"loadView">(), +[](id self, SEL) {
            rt::Ref<UICollectionView> list = rt::make<UICollectionView>();
            list->setFrame(UIScreen::mainScreen()->bounds()); // until its controller places it
            static_cast<UICollectionViewController*>(self)->setView(list);
        });
    class_addMethod(
        cls, rt::sel<"collectionView">(), +[](id self, SEL) -> rt::Ref<UICollectionView> {
            return rt::dynamicCast<UICollectionView>(static_cast<UICollectionViewController*>(self)->view());
        });
})

rt::Ref<UICollectionView> UICollectionViewController::collectionView() {
    return rt::send<rt::Ref<UICollectionView>()>(this, rt::sel<"collectionView">());
}
