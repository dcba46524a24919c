#include "platform/win32/syschar.h"

#include "platform/system.h"

#include <shellapi.h>

namespace zet::platform {

void sys::shellExplore(const std::string& folder) {
    // The high-order bit of the version word marks the Windows 95, 98 and Me family.
    if (GetVersion() >= 0x80000000u) return;
    const auto name = win32::sysPath(folder);
    if (!name) return;
    ShellExecute(nullptr, TEXT("explore"), name->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFO) == 60);

void sys::shellOpen(const std::string& file) {
    const auto name = win32::sysPath(file);
    if (!name) return;
    SHELLEXECUTEINFO info{};
    info.cbSize = sizeof info;
    info.fMask = 0;
    info.hwnd = nullptr;
    info.lpVerb = TEXT("open");
    info.lpFile = name->c_str();
    // Empty texts rather than null, as the shell has always been given here.
    info.lpParameters = TEXT("");
    info.lpDirectory = TEXT("");
    info.nShow = SW_SHOW;
    ShellExecuteEx(&info);
}

} // namespace zet::platform
