// Files for tests: a fresh folder per test, and byte-exact reads and writes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zettest {

// A new empty folder, removed with everything in it at the end of its scope.
class TempDir {
  public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside the folder, as the plug-in receives paths.
    std::string file(std::string_view name) const;
    // The folder as a plain string.
    std::string str() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

// The names of the entries of a folder, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);

// The bytes of a UTF-16LE file with its mark, for ASCII text.
std::string utf16(std::string_view text);

// A file of the committed test data (tests/data).
std::string testData(std::string_view relative);

} // namespace zettest
