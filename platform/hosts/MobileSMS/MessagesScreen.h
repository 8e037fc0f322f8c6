#pragma once
#include <ChatKit/CKChatController.h>
#include <ChatKit/CKConversationListCollectionViewController.h>
#include <ChatKit/CKConversationRecord.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIWindow.h>

#include <optional>
#include <string>
#include <vector>

namespace messages {

// One screen of Messages on a 390 by 844 point phone, built from the
// platform's classes through the runtime, so that a tweak's replacements run
// where they would on the device.
class MessagesScreen {
  public:
    static constexpr CGFloat kWidth = 390;
    static constexpr CGFloat kHeight = 844;

    enum class Kind { list, search, swipe, chat, menu };
    static constexpr const char* kKindNames = "list, search, swipe, chat, menu";
    static std::optional<Kind> kindNamed(const std::string& name);

    // Whether a screen scrolls: the list, the search results and the transcript.
    static bool scrolls(Kind kind) {
        return kind == Kind::list || kind == Kind::search || kind == Kind::chat;
    }

    // The screen, made and laid out once. `scroll`, for a screen that
    // scrolls, is the content offset in points from the top; without it the
    // list starts at the top and the transcript at its latest message.
    MessagesScreen(Kind kind, std::vector<CKConversationRecord> conversations,
                   std::optional<CGFloat> scroll = std::nullopt);

    UIWindow* window() const { return m_window.get(); }
    // Asks every view for layout again and runs the pass, as after a change
    // of size or appearance: one turn of the main run loop, whose commit lays
    // the window out. Answers how many views took part.
    size_t layOutEverything();

  private:
    // Each takes the records over: a long list is never copied.
    void showList(std::vector<CKConversationRecord> conversations);
    void showSearch(std::vector<CKConversationRecord> conversations);
    void showChat(std::vector<CKConversationRecord> conversations, bool keyboard);
    void showMenu();

    rt::Ref<UIWindow> m_window;
    rt::Ref<UINavigationController> m_stack;
    rt::Ref<CKConversationListCollectionViewController> m_list;
    rt::Ref<CKChatController> m_chat;
    rt::Ref<UIToolbar> m_toolbar;
    rt::Ref<UICollectionView> m_results;
};

} // namespace messages
