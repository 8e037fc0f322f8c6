#pragma once
// What a solver call answers: done, or the error that stopped it. A refused
// call leaves the solver as it was.
#include <Layout/Error.h>

#include <optional>

namespace layout {

class [[nodiscard, gnu::visibility("default")]] Status {
  public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)) {}

    bool ok() const {
        return !m_error.has_value();
    }
    explicit operator bool() const {
        return ok();
    }

    // Reading the error of a successful call is a programming error.
    const Error& error() const;

  private:
    std::optional<Error> m_error;
};

} // namespace layout
