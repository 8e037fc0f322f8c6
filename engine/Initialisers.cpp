#include "VantorelStartup.h"

// The loader runs these when it maps the library, before the host's own code:
// SpringBoard's first, then the main one.
__attribute__((constructor(101))) static void vantorelSpringBoardInitialiser() {
    VantorelStartup::springBoardInitialiser();
}

__attribute__((constructor(102))) static void vantorelMainInitialiser() {
    VantorelStartup::mainInitialiser();
}
