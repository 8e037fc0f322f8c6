#include <ChatKit/CKPinnedConversationView.h>

RT_DEFINE_CLASS(CKPinnedConversationView, nullptr)
