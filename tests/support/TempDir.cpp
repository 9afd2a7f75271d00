#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace vn574::test {

TempDir::TempDir() {
#ifdef _WIN32
    // No mkdtemp: a random name, claimed by creating the folder, which fails when it
    // exists. Forward slashes, as the tests join names with "/".
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("vn574-test-" + std::to_string(random() % 100000000));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate.generic_string();
        }
    }
    if (m_path.empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "vn574-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
#endif
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::file(std::string_view name) const {
    return m_path + "/" + std::string(name);
}

void TempDir::write(std::string_view name, std::string_view contents) const {
    writeFile(file(name), contents);
}

std::string TempDir::read(std::string_view name) const {
    return readFile(file(name));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void writeFile(const std::string& path, std::string_view contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace vn574::test
