#pragma once
#include <ChatKit/CKBalloonView.h>

// A balloon drawn by an app extension (a link preview).
#define CKTRANSCRIPTPLUGINBALLOONVIEW_PROPERTIES(P)                                                          \
    P(BOOL, shouldMaskWhenOpaque, setShouldMaskWhenOpaque, YES)

class CHATKIT_EXTERN CKTranscriptPluginBalloonView : public CKBalloonView {
    RT_OBJECT(CKTranscriptPluginBalloonView, CKBalloonView)
    RT_PROPERTIES(CKTRANSCRIPTPLUGINBALLOONVIEW_PROPERTIES)
};
