#include <ChatKit/CKBrowserSwitcherFooterView.h>

RT_DEFINE_CLASS(CKBrowserSwitcherFooterView, nullptr)
