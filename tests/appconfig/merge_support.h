// Shared by the configuration merge tests: calling the export, and duvevo.cfg as entries.
#pragma once

#include "tests/support/files.h"
#include "tests/support/host.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace zettest {

// Calls updateDuvEvoCfg with the folder and the argument; the answer is always "ok".
inline void update(std::string_view folder, std::string_view argument) {
    Host host;
    host.args({folder, argument}).call(updateDuvEvoCfg);
    EXPECT_EQ(host.stack(), std::vector<std::string>{"ok"});
}

// Calls removeFromDuvEvoCfg with the folder and the argument; its one answer.
inline std::string removeFrom(std::string_view folder, std::string_view argument) {
    Host host;
    host.args({folder, argument}).call(removeFromDuvEvoCfg);
    const std::vector<std::string> stack = host.stack();
    EXPECT_EQ(stack.size(), 1u);
    return stack.empty() ? "" : stack.front();
}

// "[section] key=value" for every key line, in file order, as a profile reader sees them.
inline std::vector<std::string> entries(std::string_view text) {
    std::vector<std::string> result;
    std::string section;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(text.size(), end + (text.substr(end, 2) == "\r\n" ? 2 : 1)));
        if (line.starts_with('[')) {
            section = std::string(line);
        } else if (!line.empty() && !line.starts_with(';')) {
            result.push_back(section + " " + std::string(line));
        }
    }
    return result;
}

} // namespace zettest
