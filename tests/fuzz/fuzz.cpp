#include "tests/fuzz/fuzz.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zetfuzz {

std::vector<std::string> splitParts(std::string_view input, std::size_t count) {
    constexpr std::string_view kSeparator = "\n----\n";
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const auto at = input.find(kSeparator);
        if (at == std::string_view::npos) break;
        parts.emplace_back(input.substr(0, at));
        input.remove_prefix(at + kSeparator.size());
    }
    parts.emplace_back(input);
    parts.resize(count);
    return parts;
}

namespace {

// Where the work folder goes: a memory-backed folder where there is one, so that the file work
// of every input (and the fsync of every INI write) costs no disk time; the temporary folder
// otherwise. ZET_FUZZ_WORK names another.
std::filesystem::path workRoot() {
    if (const char* chosen = std::getenv("ZET_FUZZ_WORK"); chosen != nullptr && *chosen != '\0')
        return chosen;
    std::error_code ignored;
    if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

// The work folder, removed with everything in it when the run ends.
struct WorkFolder {
    std::string path;
    WorkFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const auto folder = workRoot() / ("zetdll-fuzz-" + std::to_string(stamp));
        std::filesystem::create_directories(folder);
        path = folder.string();
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& workFolder() {
    static const WorkFolder folder;
    return folder.path;
}

void clearWorkFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(workFolder(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

std::string pathIn(std::string_view name) {
    return (std::filesystem::path(workFolder()) / name).string();
}

void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace zetfuzz
