#pragma once
// A folder of the test's own under the system's temporary folder, removed with
// everything in it when the test is done.
//   TempDir dir; dir.Write("conv.csv", "1,Length,lm,m") -> ".../quantrel-test-XXXXXX/conv.csv"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

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
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(File(name), std::ios::binary) << content;
        return File(name);
    }

private:
    std::filesystem::path m_path;
};

} // namespace quantrel::test
