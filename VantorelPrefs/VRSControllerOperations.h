#pragma once
#include <Preferences/PSListController.h>

// What the root page and every sub-page do alike: rows from their layout,
// accent tint and "Apply" while visible, values straight to the preference
// file, and the respring behind "Apply".
class VRSControllerOperations {
  public:
    // Adds viewDidLoad, viewWillAppear:, viewWillDisappear:,
    // readPreferenceValue:, setPreferenceValue:specifier: and respring: to a page class.
    static void addTo(Class cls);
    // The body of every page's `specifiers`: the layout is loaded once per controller.
    static PSSpecifierArray specifiersFromLayout(id self, const char* layoutName);
};
