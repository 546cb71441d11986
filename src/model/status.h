#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace rk7 {

// The outcome of an operation that can fail. On failure, Error names the file and the reason
// ("/path/Teams.rk: No space left on device"), ready to be shown to the user.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    static Status Failure(std::string error) { return Status(std::move(error), false); }
    // A failure because the file named does not exist, which some callers take as no error.
    static Status NotFound(std::string error) { return Status(std::move(error), true); }

    // Copies only: a moved-from failure must not turn into success. The texts are short.
    Status(const Status&) = default;
    Status& operator=(const Status&) = default;

    bool IsOk() const { return m_error.empty(); }
    explicit operator bool() const { return IsOk(); }
    bool IsNotFound() const { return m_notFound; }
    const std::string& Error() const { return m_error; }

private:
    Status() = default;
    Status(std::string error, bool notFound)
        : m_error(error.empty() ? "unknown error" : std::move(error)), m_notFound(notFound) {}

    std::string m_error;
    bool m_notFound = false;
};

// A value, or the failed Status that stands in its place. Taking the value of a failure, or
// making a Result of an OK Status (which would hold nothing), is a mistake in the program: it
// aborts rather than go on with a value that is not there.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(const Status& failure) : m_status(failure) {
        if (m_status.IsOk())
            std::abort();
    }

    bool IsOk() const { return m_value.has_value(); }
    explicit operator bool() const { return IsOk(); }
    // The result as a Status: Ok when there is a value.
    const Status& AsStatus() const { return m_status; }
    const std::string& Error() const { return m_status.Error(); }

    T& Value() & { return Checked(); }
    const T& Value() const& { return Checked(); }
    // By value, so that a reference to it cannot outlive a temporary Result.
    T Value() && { return std::move(Checked()); }

    T& operator*() & { return Checked(); }
    const T& operator*() const& { return Checked(); }
    T operator*() && { return std::move(Checked()); }
    T* operator->() { return &Checked(); }
    const T* operator->() const { return &Checked(); }

private:
    T& Checked() {
        if (!m_value)
            std::abort();
        return *m_value;
    }
    const T& Checked() const {
        if (!m_value)
            std::abort();
        return *m_value;
    }

    std::optional<T> m_value;
    Status m_status = Status::Ok();
};

} // namespace rk7
