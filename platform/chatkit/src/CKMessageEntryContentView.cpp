#include <ChatKit/CKMessageEntryContentView.h>

RT_DEFINE_CLASS(CKMessageEntryContentView, nullptr)
