#include "platform/shell.h"

#include <windows.h>

#include <shellapi.h>

namespace zet::platform {

void shellExplore(const std::string& folder) {
    // The high-order bit of the version word marks the Windows 95, 98 and Me family.
    if (GetVersion() >= 0x80000000u) return;
    ShellExecuteA(nullptr, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60);

void shellOpen(const std::string& file) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = 0;
    info.hwnd = nullptr;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    // Empty texts rather than null, as the shell has always been given here.
    info.lpParameters = "";
    info.lpDirectory = "";
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
}

} // namespace zet::platform
