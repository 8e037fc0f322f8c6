#include <ChatKit/CKBalloonView.h>

RT_DEFINE_CLASS(CKBalloonView, nullptr)
