#include <Layout/Status.h>

#include <cstdio>
#include <cstdlib>

namespace layout {

const Error& Status::error() const {
    if (!m_error) {
        std::fprintf(stderr, "error() of a successful solver call\n");
        std::abort();
    }
    return *m_error;
}

} // namespace layout
