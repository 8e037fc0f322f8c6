#include <ChatKit/CKAttachmentBalloonView.h>

RT_DEFINE_CLASS(CKAttachmentBalloonView, nullptr)
