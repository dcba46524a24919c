#include "tools/common/hostpaths.h"

#include "plugin/hoststack.h"

#include <algorithm>

#if defined(_WIN32) && defined(ZET_UNICODE)
#include <windows.h>

#include <shellapi.h>
#endif

namespace zettools {

#if defined(_WIN32) && defined(ZET_UNICODE)

std::vector<std::string> arguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) result.push_back(zet::hostFromStack(wide[i]));
    LocalFree(wide);
    return result;
}

std::filesystem::path fsPath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#else

std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::filesystem::path fsPath(const std::string& path) {
    return std::filesystem::path(path);
}

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

#endif

} // namespace zettools
