#pragma once
// A folder of the test's own under the system's temporary folder, removed with
// everything in it when the test is done.
//   TempDir dir; dir.Write("conv.csv", "1,Length,lm,m") -> ".../quantrel-test-XXXXXX/conv.csv"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quantrel::test {

class TempDir {
public:
    TempDir() {
        // mkdtemp picks a name no other test (or process) holds and creates it at once.
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quantrel-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    /// The path of a file in the folder (which need not exist).
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    /// Writes `content` byte for byte to a file of the folder; returns its path.
    std::string Write(const std::string& name, std::string_view content) const {
        std::ofstream(File(name), std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        return File(name);
    }
    /// The bytes of a file of the folder; empty when it cannot be read.
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_path;
};

} // namespace quantrel::test
