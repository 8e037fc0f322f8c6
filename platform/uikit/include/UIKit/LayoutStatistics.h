#pragma once
#include <UIKit/UIKitDefines.h>

#include <cstddef>

namespace uikit {

// What the layout passes of this process cost the solver, for tests and
// benchmarks: how often a hierarchy's solver was built from scratch and how
// many constraints were handed to a solver in all.
class UIKIT_EXTERN LayoutStatistics {
  public:
    static size_t solversBuilt();
    static size_t constraintsAdded();
};

} // namespace uikit
