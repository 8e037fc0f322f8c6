#include <ChatKit/CKMessageEntryView.h>

RT_DEFINE_CLASS(CKMessageEntryView, nullptr)
