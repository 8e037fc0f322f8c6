#include <ChatKit/CKTranscriptCollectionView.h>

RT_DEFINE_CLASS(CKTranscriptCollectionView, nullptr)

CKTranscriptCollectionView::CKTranscriptCollectionView(Class cls) : UICollectionView(cls) {
    setBackgroundColor(UIColor::systemBackgroundColor());
}
