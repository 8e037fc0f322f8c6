#include "SpringBoardLaunchHook.h"

#include "Hook.h"
#include "VantorelFileManager.h"

namespace springboard {

void applicationDidFinishLaunching(id self, SEL _cmd, id application) {
    Hook<&applicationDidFinishLaunching>::previous(self, _cmd, application);
    VantorelFileManager::shared()->updatingSquad();
}

} // namespace springboard
