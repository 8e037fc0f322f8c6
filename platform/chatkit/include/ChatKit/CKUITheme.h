#pragma once
#include <ChatKit/ChatKitDefines.h>

// The colours Messages asks for its conversation list, entry field, balloons
// and send buttons. Every method is reached through the runtime.
class CHATKIT_EXTERN CKUITheme : public NSObject {
  public:
    static Class classObject();
    CKUITheme() : NSObject(classObject()) {}
    explicit CKUITheme(Class cls) : NSObject(cls) {}

    rt::Ref<UIColor> primaryLabelColor();
    rt::Ref<UIColor> conversationListBackgroundColor();
    rt::Ref<UIColor> conversationListCellColor();
    rt::Ref<UIColor> grayTextColor();
    rt::Ref<UIColor> conversationListSenderColor();
    rt::Ref<UIColor> green_sendButtonColor();
    rt::Ref<UIColor> blue_sendButtonColor();
    rt::Ref<UIColor> blue_balloonTextColor();
    rt::Ref<UIColor> green_balloonTextColor();
    rt::Ref<UIColor> gray_balloonTextColor();
    rt::Ref<UIColor> entryFieldTextColor();
    rt::Ref<UIColor> messageAcknowledgmentPickerBackgroundColor();
    rt::Ref<UIColor> messageAcknowledgmentGrayColor();
    rt::Ref<UIColor> entryFieldPlaceholderTextColor();
    CKBalloonColors blue_balloonColors();
    CKBalloonColors gray_balloonColors();
    CKBalloonColors green_balloonColors();
};
