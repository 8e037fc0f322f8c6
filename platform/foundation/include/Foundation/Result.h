#pragma once
// A value or the reason there is none: the error channel of file and
// property-list I/O. Nothing in Foundation throws.
#include <Foundation/FoundationDefines.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace ns {

// What went wrong, so that callers can act on it without reading messages.
enum class FailureKind {
    NoDevice,       // no simulated device is set, or its root is unusable
    InvalidPath,    // a path that is not absolute, holds NUL or names no file
    OutsideDevice,  // a path (or a link on it) leads out of the device
    NotFound,       // the file or a folder on its way does not exist
    NotRegularFile, // a folder, FIFO or device stands in the file's place
    TooLarge,       // larger than the caller's limit
    TooDeep,        // nests deeper than a property list may
    TooMany,        // expands to more values than a property list may
    Malformed,      // not a property list, or one that cannot be checked safely
    NotDictionary,  // a property list whose top is not a dictionary
    Unencodable,    // a value that a property-list file cannot hold faithfully
    Unreadable,     // the system refused to read
    Unwritable,     // the system refused to create, write or replace
    Locked,         // another writer held the file's lock for too long
};

FOUNDATION_EXPORT const char* failureKindName(FailureKind kind);

// The error arm of a Result, convertible to a Result of any type.
struct Failure {
    FailureKind kind = FailureKind::Malformed;
    // The file or name involved; empty when there is none.
    std::string path;
    std::string detail;

    // "path: detail", or the detail alone.
    std::string message() const { return path.empty() ? detail : path + ": " + detail; }
};

template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

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

    // Reading the failure of a successful result is a programming error.
    const Failure& failure() const {
        if (ok()) {
            std::fprintf(stderr, "failure() of a successful result\n");
            std::abort();
        }
        return std::get<1>(m_state);
    }
    std::optional<FailureKind> kind() const {
        return ok() ? std::nullopt : std::optional(std::get<1>(m_state).kind);
    }
    // Empty for a successful result.
    std::string error() const { return ok() ? std::string() : std::get<1>(m_state).message(); }

    // Names the file a failure concerns, unless it already names one.
    Result at(const std::string& path) && {
        if (!ok() && std::get<1>(m_state).path.empty())
            std::get<1>(m_state).path = path;
        return std::move(*this);
    }
    // Says where inside the file the failure lies ("key \"x\": ...").
    Result within(const std::string& place) && {
        if (!ok())
            std::get<1>(m_state).detail = place + ": " + std::get<1>(m_state).detail;
        return std::move(*this);
    }

  private:
    void requireValue() const {
        if (!ok()) {
            std::fprintf(stderr, "value() of a failed result: %s\n", std::get<1>(m_state).message().c_str());
            std::abort();
        }
    }

    // Indexed rather than typed: T may itself be a Failure-like type.
    std::variant<T, Failure> m_state;
};

template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return ok(); }
    void value() const {}

    const Failure& failure() const {
        if (!m_failure) {
            std::fprintf(stderr, "failure() of a successful result\n");
            std::abort();
        }
        return *m_failure;
    }
    std::optional<FailureKind> kind() const {
        return m_failure ? std::optional(m_failure->kind) : std::nullopt;
    }
    std::string error() const { return m_failure ? m_failure->message() : std::string(); }

    Result at(const std::string& path) && {
        if (m_failure && m_failure->path.empty())
            m_failure->path = path;
        return std::move(*this);
    }
    Result within(const std::string& place) && {
        if (m_failure)
            m_failure->detail = place + ": " + m_failure->detail;
        return std::move(*this);
    }

  private:
    std::optional<Failure> m_failure;
};

} // namespace ns

// Hands a failure on to the caller, or yields the value:
//     auto bytes = TRY(HostFile::read(path, limit));
// The enclosing function must answer a Result.
#define TRY(expression)                                                                                      \
    ({                                                                                                       \
        auto tryResult_ = (expression);                                                                      \
        if (!tryResult_)                                                                                     \
            return tryResult_.failure();                                                                     \
        std::move(tryResult_).value();                                                                       \
    })
