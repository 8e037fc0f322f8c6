#pragma once
#include <array>
#include <cstddef>

// The settings pane's pages: the root page and the ten sub-pages, each a
// runtime class of its own that the layouts name ("detail") and the Settings
// host finds by name once the bundle is loaded.
struct VRSPage {
    const char* className;
    const char* superclassName;
    // The page layout its rows come from; none for the sub-pages' common base.
    const char* layout;
};

inline constexpr std::array kVRSPages{
    VRSPage{"VRSRootListController", "PSListController", "Root"},
    VRSPage{"VRSExternalController", "PSListController", nullptr},
    VRSPage{"VRSConversationListController", "VRSExternalController", "ConversationList"},
    VRSPage{"VRSChatController", "VRSExternalController", "Chat"},
    VRSPage{"VRSChatBubbleController", "VRSExternalController", "ChatBubble"},
    VRSPage{"VRSNavigationController", "VRSExternalController", "Navigation"},
    VRSPage{"VRSSystemColourController", "VRSExternalController", "SystemColour"},
    VRSPage{"VRSBackgroundColourController", "VRSExternalController", "BackgroundColour"},
    VRSPage{"VRSCellColourController", "VRSExternalController", "CellColour"},
    VRSPage{"VRSLabelColourController", "VRSExternalController", "LabelColour"},
    VRSPage{"VRSMenuColourController", "VRSExternalController", "MenuColour"},
    VRSPage{"VRSMiscController", "VRSExternalController", "Misc"},
};
