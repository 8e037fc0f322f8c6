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
    static PSSpecifierArray specifiersFromLayout(PSListController* page, const char* layoutName);

  private:
    using RespringMethod = rt::MethodOf<void(id), "respring:">;

    template <Class (*definingClass)()> static void viewDidLoad(PSListController* page) {
        rt::superCallFrom<PSListController::viewDidLoadMethod>(page, definingClass());
        afterViewDidLoad(page);
    }
    template <Class (*definingClass)()> static void viewWillAppear(PSListController* page, BOOL animated) {
        rt::superCallFrom<PSListController::viewWillAppearMethod>(page, definingClass(), animated);
        afterViewWillAppear(page);
    }
    template <Class (*definingClass)()> static void viewWillDisappear(PSListController* page, BOOL animated) {
        rt::superCallFrom<PSListController::viewWillDisappearMethod>(page, definingClass(), animated);
        afterViewWillDisappear();
    }
    static void afterViewDidLoad(PSListController* page);
    static void afterViewWillAppear(PSListController* page);
    static void afterViewWillDisappear();
    static ns::PlistValue readPreferenceValue(PSListController* page, PSSpecifier* specifier);
    static void setPreferenceValue(PSListController* page, const ns::PlistValue& value,
                                   PSSpecifier* specifier);
    static void respring(PSListController* page, id sender);
};

template <Class (*definingClass)()> void VRSControllerOperations::addTo(Class cls) {
    rt::addFunction<PSListController::viewDidLoadMethod, &viewDidLoad<definingClass>>(cls);
    rt::addFunction<PSListController::viewWillAppearMethod, &viewWillAppear<definingClass>>(cls);
    rt::addFunction<PSListController::viewWillDisappearMethod, &viewWillDisappear<definingClass>>(cls);
    rt::addFunction<PSListController::readPreferenceValueMethod, &readPreferenceValue>(cls);
    rt::addFunction<PSListController::setPreferenceValueMethod, &setPreferenceValue>(cls);
    rt::addFunction<RespringMethod, &respring>(cls);
}
