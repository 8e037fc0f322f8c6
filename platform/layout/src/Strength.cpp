#include <Layout/Strength.h>

namespace layout {

double clipStrength(double strength) {
    if (!(strength > 0.0))
        return 0.0;
    return strength < kRequired ? strength : kRequired;
}

} // namespace layout
