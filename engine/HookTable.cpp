#include "HookTable.h"

#include "ColourOverrides.h"

#include <cstring>

namespace {

using namespace overrides;

// The theme, in installation order. Rows that need views of later surfaces
// join this table as those surfaces are themed.
const HookRow kHookTable[] = {
    // System and semantic colours (class methods of UIColor)
    systemColour<"labelColor", "primarylabel">(),
    systemColour<"secondaryLabelColor", "secondarylabel">(),
    systemColour<"tertiaryLabelColor", "tertiarylabel">(),
    systemColour<"quaternaryLabelColor", "quaternarylabel">(),
    systemColour<"linkColor", "link">(),
    systemColour<"separatorColor", "separator">(),
    systemColour<"systemBlueColor", "accent">(),
    systemColour<"systemYellowColor", "yellow">(),
    systemColour<"systemRedColor", "red">(),
    systemColour<"systemIndigoColor", "indigo">(),
    systemColour<"systemGreenColor", "green">(),
    systemColour<"systemBackgroundColor", "primaryBackground">(),
    systemColour<"systemGroupedBackgroundColor", "primaryBackground">(),
    systemColour<"groupTableViewBackgroundColor", "primaryBackground">(),
    systemColour<"secondarySystemBackgroundColor", "secondaryBackground">(),
    systemColour<"tertiarySystemBackgroundColor", "tertiaryBackground">(),
    systemColour<"secondarySystemGroupedBackgroundColor", "cell">(),
    systemColour<"tableCellPlainBackgroundColor", "cell">(),
    systemColour<"tableCellGroupedBackgroundColor", "cell">(),
    // Messages' theme colours (instance methods of CKUITheme)
    themeColour<"primaryLabelColor", "chatTitleName">(),
    themeColour<"conversationListBackgroundColor", "conversationBackground">(),
    themeColour<"conversationListCellColor", "conversationCellBackground">(),
    themeColour<"grayTextColor", "conversationSummary">(),
    themeColour<"conversationListSenderColor", "conversationName">(),
    themeColour<"green_sendButtonColor", "smssendbutton">(),
    themeColour<"blue_sendButtonColor", "imessagesendbutton">(),
    themeColour<"blue_balloonTextColor", "imessagetext">(),
    themeColour<"green_balloonTextColor", "smstext">(),
    themeColour<"gray_balloonTextColor", "incomingtext">(),
    themeColour<"entryFieldTextColor", "chatEntryFieldText">(),
    themeColour<"messageAcknowledgmentPickerBackgroundColor", "menuReactionBackground">(),
    themeColour<"messageAcknowledgmentGrayColor", "menuReactionIcon">(),
    themeColour<"entryFieldPlaceholderTextColor", "chatEntryFieldTextPlaceholder">(),
    themeBalloon<"blue_balloonColors", "imessagebubblegradient1", "imessagebubblegradient2">(),
    themeBalloon<"gray_balloonColors", "incomingbubblegradient1", "incomingbubblegradient2">(),
    themeBalloon<"green_balloonColors", "outgoingbubblegradient1", "outgoingbubblegradient2">(),
};

} // namespace

std::span<const HookRow> hookTable() {
    return kHookTable;
}

void installHooks(std::span<const HookRow> rows) {
    const char* group = nullptr;
    Class cls = nullptr;
    for (const HookRow& row : rows) {
        if (!group || std::strcmp(group, row.className) != 0) {
            group = row.className;
            cls = objc_getClass(group);
        }
        Class target = row.kind == HookKind::classMethod && cls ? object_getClass(cls) : cls;
        row.install(target, sel_registerName(row.selector));
    }
}
