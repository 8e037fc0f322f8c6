#pragma once
#include <string>
#include <vector>

// One entry of a conversation's transcript, as Messages keeps it for display.
struct CKMessageRecord {
    enum class Kind {
        timestamp, // a date line between messages
        iMessage,  // sent over iMessage (blue)
        sms,       // sent as a text message (green)
        incoming,  // received (gray)
        picture,   // a photo received
        link,      // a link preview received: text is the title, detail the site
        status,    // "Delivered" or "Read" under the last message sent
    };
    Kind kind = Kind::incoming;
    std::string text;
    std::string detail;
};

// A conversation as the list shows it, with its transcript.
struct CKConversationRecord {
    std::string name;
    std::string summary;
    std::string date;
    bool unread = false;
    bool pinned = false;
    std::vector<CKMessageRecord> messages;
};
