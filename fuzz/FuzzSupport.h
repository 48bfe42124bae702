#pragma once
// What the fuzz programs share: the check that turns a broken promise into a finding,
// and a folder of the program's own for the loaders that read a path: each input is
// written to a file there and read back through the same code as a user's file.
//   static const ScratchFolder folder; folder.Write("conv.csv", bytes) -> ".../conv.csv"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quantrel::fuzz {

/// Ends the run as a finding when a promise does not hold.
inline void Check(bool holds) {
    if (!holds)
        std::abort();
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quantrel-fuzz-XXXXXX").string();
        Check(mkdtemp(pattern.data()) != nullptr);
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    /// Writes `content` byte for byte to a file of the folder; returns its path.
    std::string Write(const std::string& name, std::string_view content) const {
        const std::string path = File(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        Check(static_cast<bool>(out));
        return path;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_path;
};

} // namespace quantrel::fuzz
