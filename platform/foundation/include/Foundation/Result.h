#pragma once
// A value or the reason there is none: the error channel of file and
// property-list I/O. Nothing in Foundation throws.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace ns {

// The error arm of a Result, convertible to a Result of any type.
struct Failure {
    std::string reason;
};

template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure.reason)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Reading the value of a failed result is a programming error.
    const T& value() const& {
        requireValue();
        return std::get<0>(m_state);
    }
    T& value() & {
        requireValue();
        return std::get<0>(m_state);
    }
    T&& value() && {
        requireValue();
        return std::get<0>(std::move(m_state));
    }

    T valueOr(T fallback) const& { return ok() ? std::get<0>(m_state) : std::move(fallback); }

    // Empty for a successful result.
    const std::string& error() const {
        static const std::string kNone;
        return ok() ? kNone : std::get<1>(m_state);
    }

  private:
    void requireValue() const {
        if (!ok()) {
            std::fprintf(stderr, "value() of a failed result: %s\n", std::get<1>(m_state).c_str());
            std::abort();
        }
    }

    // Indexed rather than typed: T may itself be a string.
    std::variant<T, std::string> m_state;
};

template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : m_error(std::move(failure.reason)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }

    const std::string& error() const {
        static const std::string kNone;
        return m_error ? *m_error : kNone;
    }

  private:
    std::optional<std::string> m_error;
};

} // namespace ns
