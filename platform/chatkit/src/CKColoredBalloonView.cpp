#include <ChatKit/CKColoredBalloonView.h>

RT_DEFINE_CLASS(CKColoredBalloonView, nullptr)
