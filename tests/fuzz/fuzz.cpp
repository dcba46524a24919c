#include "tests/fuzz/fuzz.h"

#include <atomic>
#include <chrono>
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

const std::string& workFolder() {
    static const std::string folder = [] {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        auto path =
            std::filesystem::temp_directory_path() / ("zetdll-fuzz-" + std::to_string(stamp));
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
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
