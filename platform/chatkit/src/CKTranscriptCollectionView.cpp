#include <ChatKit/CKTranscriptCollectionView.h>

RT_DEFINE_CLASS(CKTranscriptCollectionView, nullptr)
