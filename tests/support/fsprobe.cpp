#include "tests/support/fsprobe.h"

#include "tests/support/files.h"

#include <chrono>
#include <thread>

namespace zettest {

std::optional<std::string> waitForFile(const std::filesystem::path& path, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ignored;
        if (std::filesystem::exists(path, ignored)) return readFile(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

} // namespace zettest
