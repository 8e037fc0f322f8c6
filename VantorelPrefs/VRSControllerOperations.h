#pragma once
#include <Preferences/PSListController.h>

// What the root page and every sub-page do alike: rows from their layout,
// accent tint and "Apply" while visible, values straight to the preference
// file, and the respring behind "Apply".
class VRSControllerOperations {
  public:
    // Adds viewDidLoad, viewWillAppear:, viewWillDisappear:,
    // readPreferenceValue:, setPreferenceValue:specifier: and respring: to
    // `definingClass()`; their calls to super start above that class.
    template <Class (*definingClass)()> static void addTo(Class cls);
    // The body of every page's `specifiers`: the layout is loaded once per controller.
    static PSSpecifierArray specifiersFromLayout(id self, const char* layoutName);

  private:
    static void viewDidLoad(id self, SEL cmd, Class definingClass);
    static void viewWillAppear(id self, SEL cmd, BOOL animated, Class definingClass);
    static void viewWillDisappear(id self, SEL cmd, BOOL animated, Class definingClass);
    static ns::PlistValue readPreferenceValue(id self, SEL, PSSpecifier* specifier);
    static void setPreferenceValue(id self, SEL, const ns::PlistValue& value, PSSpecifier* specifier);
    static void respring(id self, SEL, id sender);
};

template <Class (*definingClass)()> void VRSControllerOperations::addTo(Class cls) {
    class_addMethod(
        cls, rt::sel<"viewDidLoad">(), +[](id self, SEL cmd) { viewDidLoad(self, cmd, definingClass()); });
    class_addMethod(
        cls, rt::sel<"viewWillAppear:">(),
        +[](id self, SEL cmd, BOOL animated) { viewWillAppear(self, cmd, animated, definingClass()); });
    class_addMethod(
        cls, rt::sel<"viewWillDisappear:">(),
        +[](id self, SEL cmd, BOOL animated) { viewWillDisappear(self, cmd, animated, definingClass()); });
    class_addMethod(cls, rt::sel<"readPreferenceValue:">(), &readPreferenceValue);
    class_addMethod(cls, rt::sel<"setPreferenceValue:specifier:">(), &setPreferenceValue);
    class_addMethod(cls, rt::sel<"respring:">(), &respring);
}
