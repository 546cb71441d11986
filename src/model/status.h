#pragma once

#include <string>
#include <utility>

namespace rk7 {

// The outcome of an operation that can fail. On failure, Error names the file and the reason
// ("/path/Teams.rk: No space left on device"), ready to be shown to the user.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(); }
    static Status Failure(std::string error) { return Status(std::move(error)); }

    bool ok() const { return m_error.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& Error() const { return m_error; }

private:
    Status() = default;
    explicit Status(std::string error)
        : m_error(error.empty() ? "unknown error" : std::move(error)) {}

    std::string m_error;
};

} // namespace rk7
