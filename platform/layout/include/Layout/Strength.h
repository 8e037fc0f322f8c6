#pragma once
// Strengths on the platform's priority scale. 1000 is required: the solver
// never breaks such a constraint and refuses one it cannot satisfy. Anything
// below is optional and weighs linearly: the solver minimises the sum of
// strength x error over the optional constraints, so a constraint of strength
// 500 wins over one of 250, but also over any single one of 499 or less.
#include <Layout/LayoutDefines.h>

namespace layout {

inline constexpr double kRequired = 1000.0;

// Into [0, kRequired]; not-a-number counts as 0.
LAYOUT_EXPORT double clipStrength(double strength);

} // namespace layout
