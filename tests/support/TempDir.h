#pragma once

#include <string>
#include <string_view>

namespace vn574::test {

// A fresh folder removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }
    [[nodiscard]] std::string file(std::string_view name) const;

    void write(std::string_view name, std::string_view contents) const;
    [[nodiscard]] std::string read(std::string_view name) const;

private:
    std::string m_path;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, std::string_view contents);

} // namespace vn574::test
