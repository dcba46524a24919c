// zetdll-diff: runs a stream of cases through the plug-in and writes a transcript that every
// build must write alike, so that the Linux library and each Windows DLL can be compared.
//
//   zetdll-diff [--plugin PATH] ROOT CASES TRANSCRIPT
//
// Each case lays out its files in a fresh folder in ROOT, calls the exports on one stack with
// one string size as an installer does, and records what every call left on the stack and then
// every file of the folder. The stream, written by tools/zetdll-diff/cases.py:
//
//   case ID STRING_SIZE
//   file NAME SIZE TIME \n BYTES \n      (TIME: a FILETIME; NAME may hold "/" for a subfolder)
//   dir NAME
//   call EXPORT FLAGS COUNT              (FLAGS: "-", or "n" for no stack, "u" to unload after)
//   arg SIZE \n BYTES \n                 (COUNT of them, the first ends on top)
//   end
//
// Arguments and file bytes are 8-bit text of code page 1252; in an argument "%D%" stands for
// the case folder and "%S%" for the system's path separator.
#include "platform/files.h"
#include "plugin/hoststack.h"
#include "tools/common/hostpaths.h"
#include "tools/zetdll-call/library.h"
#include "tools/zetdll-diff/folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Call {
    std::string exportName;
    std::string flags;
    std::vector<std::string> arguments;
};

struct Case {
    std::string id;
    int stringSize = zet::kDefaultStringSize;
    struct File {
        std::string name;
        std::string bytes;
        std::uint64_t time = 0;
        bool folder = false;
    };
    std::vector<File> files;
    std::vector<Call> calls;
};

// Code page 1252 from 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned codePoint(zet::StackChar unit) {
    const auto c = static_cast<std::make_unsigned_t<zet::StackChar>>(unit);
    if constexpr (sizeof(zet::StackChar) == 1) {
        if (c >= 0x80 && c < 0xA0) return kHighControls[c - 0x80];
    }
    return c;
}

// 8-bit text as stack text: the bytes themselves, or in the Unicode builds their characters.
zet::StackText stackFromBytes(std::string_view bytes) {
    zet::StackText text;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if constexpr (sizeof(zet::StackChar) == 1) {
            text += static_cast<zet::StackChar>(byte);
        } else {
            text +=
                static_cast<zet::StackChar>(c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c);
        }
    }
    return text;
}

zet::StackText argumentText(std::string_view bytes, const std::string& folder) {
    zet::StackText text;
    while (!bytes.empty()) {
        const auto mark = bytes.find('%');
        if (mark == std::string_view::npos || bytes.size() - mark < 3 || bytes[mark + 2] != '%' ||
            (bytes[mark + 1] != 'D' && bytes[mark + 1] != 'S')) {
            const auto end = mark == std::string_view::npos ? bytes.size() : mark + 1;
            text += stackFromBytes(bytes.substr(0, end));
            bytes.remove_prefix(end);
            continue;
        }
        text += stackFromBytes(bytes.substr(0, mark));
        text += bytes[mark + 1] == 'D' ? zet::stackFromHost(folder)
                                       : zet::StackText(1, zetdiff::kSeparator);
        bytes.remove_prefix(mark + 3);
    }
    return text;
}

// A stack value as one line: printable ASCII as itself, every other character as \u escape;
// the case folder as "%D%", since it differs between the systems.
std::string printableValue(zet::StackText text, const zet::StackText& folder) {
    for (auto at = text.find(folder); !folder.empty() && at != zet::StackText::npos;
         at = text.find(folder, at))
        text.replace(at, folder.size(), stackFromBytes("%D%"));
    std::string line = "\"";
    for (const zet::StackChar unit : text) {
        const unsigned c = codePoint(unit);
        char escape[16];
        if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7f) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            line += escape;
        } else {
            line += static_cast<char>(c);
        }
    }
    return line + "\"";
}

// File bytes one line of the file at a time (each up to and with its LF), escaped.
void printBytes(std::FILE* out, const std::string& bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
        std::string line = "  | ";
        for (std::size_t i = start; i < end; ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            char escape[8];
            if (c == '\r') {
                line += "\\r";
            } else if (c == '\n') {
                line += "\\n";
            } else if (c == '\\' || c < 0x20 || c >= 0x7f) {
                std::snprintf(escape, sizeof escape, "\\x%02x", c);
                line += escape;
            } else {
                line += static_cast<char>(c);
            }
        }
        std::fprintf(out, "%s\n", line.c_str());
        start = end;
    }
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every file and folder below the case folder, sorted by name: bytes and write time. A time
// the system clock gave during the case reads as "now".
void printFolder(std::FILE* out, const fs::path& folder, std::uint64_t started) {
    std::vector<std::pair<std::string, fs::path>> entries;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        entries.emplace_back(it->path().lexically_relative(folder).generic_string(), it->path());
    std::sort(entries.begin(), entries.end());
    const std::uint64_t ended = zetdiff::now();
    for (const auto& [name, path] : entries) {
        if (fs::is_directory(path, error)) {
            std::fprintf(out, "dir %s\n", name.c_str());
            continue;
        }
        const std::string bytes = readBytes(path);
        const auto time = zetdiff::writeTime(path.string());
        constexpr std::uint64_t kSlack = 20'000'000; // two seconds
        std::string when = "?";
        if (time && *time + kSlack >= started && *time <= ended + kSlack) {
            when = "now";
        } else if (time) {
            when = std::to_string(*time);
        }
        std::fprintf(out, "file %s, time %s\n", name.c_str(), when.c_str());
        printBytes(out, bytes);
    }
}

bool layOut(const Case& c, const fs::path& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    if (!fs::create_directories(folder, error)) return false;
    for (const auto& file : c.files) {
        const fs::path path = folder / fs::path(file.name);
        fs::create_directories(file.folder ? path : path.parent_path(), error);
        if (file.folder) continue;
        std::ofstream(path, std::ios::binary)
            .write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        if (!zet::platform::setFileWriteTime(path.string(), file.time)) return false;
    }
    return true;
}

class Runner {
  public:
    Runner(std::string plugin, fs::path root, std::FILE* out)
        : pluginPath_(std::move(plugin)), root_(std::move(root)), out_(out) {}

    void run(const Case& c) {
        std::fprintf(out_, "case %s\n", c.id.c_str());
        // A folder of its own for each case: Wine's profile calls keep a file they read by name
        // and write time, and every case's files have the same times.
        folder_ = root_ / std::to_string(++cases_);
        const std::uint64_t started = zetdiff::now();
        if (!layOut(c, folder_)) {
            std::fprintf(out_, "cannot lay out the folder\n");
            return;
        }
        // The case folder is the current one during the calls, so relative paths stay in it.
        std::error_code error;
        const fs::path previous = fs::current_path(error);
        fs::current_path(folder_, error);
        const std::string folderText = folder_.string();
        const zet::StackText folderStack = zet::stackFromHost(folderText);
        zet::StackNode* top = nullptr;
        std::size_t number = 0;
        for (const auto& call : c.calls) {
            if (!load()) break;
            for (auto it = call.arguments.rbegin(); it != call.arguments.rend(); ++it)
                zet::pushNode(top, argumentText(*it, folderText), c.stringSize);
            std::fprintf(out_, "call %zu %s\n", ++number, call.exportName.c_str());
            const auto function = zetcall::findExport(plugin_, call.exportName);
            if (function == nullptr) {
                std::fprintf(out_, "  no such export\n");
            } else {
                std::vector<zet::StackChar> variables(zet::kVariableCount *
                                                      zet::textCapacity(c.stringSize));
                const bool noStack = call.flags.find('n') != std::string::npos;
                function(nullptr, c.stringSize, variables.data(), noStack ? nullptr : &top);
            }
            for (const zet::StackNode* node = top; node != nullptr; node = node->next) {
                const auto text = zet::nodeText(*node, zet::textCapacity(c.stringSize));
                std::fprintf(out_, "  = %s\n",
                             printableValue(zet::StackText(text), folderStack).c_str());
            }
            if (call.flags.find('u') != std::string::npos) unload();
        }
        while (top != nullptr) zet::popNode(top, zet::textCapacity(c.stringSize));
        unload();
        printFolder(out_, folder_, started);
        fs::current_path(previous, error);
        fs::remove_all(folder_, error);
        std::fflush(out_);
    }

  private:
    bool load() {
        if (plugin_ != nullptr) return true;
        std::string error;
        plugin_ = zetcall::loadPlugin(pluginPath_, error);
        if (plugin_ == nullptr) std::fprintf(out_, "cannot load the plug-in: %s\n", error.c_str());
        return plugin_ != nullptr;
    }

    void unload() {
        if (plugin_ != nullptr) zetdiff::unloadPlugin(plugin_);
        plugin_ = nullptr;
    }

    std::string pluginPath_;
    fs::path root_;
    fs::path folder_;
    std::size_t cases_ = 0;
    std::FILE* out_;
    void* plugin_ = nullptr;
};

// The next case of the stream; nullopt at its end or where it is malformed.
std::optional<Case> readCase(std::istream& in) {
    std::string line;
    Case c;
    if (!std::getline(in, line)) return std::nullopt;
    std::istringstream head(line);
    std::string word;
    if (!(head >> word >> c.id >> c.stringSize) || word != "case") return std::nullopt;
    auto bytes = [&in](std::size_t size) {
        std::string text(size, '\0');
        in.read(text.data(), static_cast<std::streamsize>(size));
        in.ignore(1);
        return text;
    };
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        fields >> word;
        if (word == "end") return c;
        if (word == "file" || word == "dir") {
            Case::File file;
            std::size_t size = 0;
            file.folder = word == "dir";
            fields >> file.name;
            if (!file.folder && fields >> size >> file.time) file.bytes = bytes(size);
            c.files.push_back(std::move(file));
        } else if (word == "call") {
            Call call;
            std::size_t count = 0;
            fields >> call.exportName >> call.flags >> count;
            for (std::size_t i = 0; i < count && std::getline(in, line); ++i)
                call.arguments.push_back(bytes(std::stoul(line.substr(4))));
            c.calls.push_back(std::move(call));
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = zettools::arguments(argc, argv);
    std::string plugin = zetcall::defaultPluginPath();
    if (args.size() >= 2 && args[0] == "--plugin") {
        plugin = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 3) {
        std::fputs("usage: zetdll-diff [--plugin PATH] ROOT CASES TRANSCRIPT\n", stderr);
        return 2;
    }
    std::ifstream in(fs::path(args[1]), std::ios::binary);
    std::FILE* out = std::fopen(args[2].c_str(), "wb");
    if (!in || out == nullptr) {
        std::fprintf(stderr, "zetdll-diff: cannot open %s or %s\n", args[1].c_str(),
                     args[2].c_str());
        return 1;
    }
    Runner runner(plugin, fs::path(args[0]), out);
    while (const auto c = readCase(in)) runner.run(*c);
    std::fclose(out);
    return 0;
}
