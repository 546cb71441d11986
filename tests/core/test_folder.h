#pragma once

#include <string>

namespace rk7::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    // Whole-file helpers for checks.
    static std::string Read(const std::string& path);
    static void Write(const std::string& path, const std::string& bytes);
    // The names in the folder, sorted.
    std::string Listing() const;

private:
    std::string m_path;
};

} // namespace rk7::test
