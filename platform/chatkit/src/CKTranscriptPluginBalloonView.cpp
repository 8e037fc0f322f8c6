#include <ChatKit/CKTranscriptPluginBalloonView.h>

RT_DEFINE_CLASS(CKTranscriptPluginBalloonView, nullptr)
