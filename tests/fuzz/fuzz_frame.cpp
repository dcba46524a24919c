// The call frame: arbitrary stacks and string sizes through the exports, called as an installer
// calls them. Input: a first line of export letters (a loadDicInfo, b dicInfo, c dicFiles,
// d updateDuvEvoCfg, e setFileModificationTime, f giveAllPermissions, g exploreFolder,
// h executeFile, i dummy, j removeFromDuvEvoCfg; a capital letter passes a stack pointer below 64
// KiB, null for A), a blank and the string size the calls pass, any int; then the stack, one value
// a line, the top first, in nodes of that size brought within 1 to 8192. The calls run in turn on
// the same stack, in a folder holding a small catalogue, group tables and a file. After each call
// every node left on the stack holds a terminated text within the nodes' size.
#include "platform/stackheap.h"
#include "plugin/hoststack.h"
#include "tests/fuzz/fuzz.h"
#include "tests/support/host.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The exports that start a program: on POSIX PATH names an empty folder, so the opener is never
// found; on Windows the shell would start one, so they are not called there.
constexpr std::array<zet::ExportFunction, 10> kExports{
    loadDicInfo,        dicInfo,       dicFiles,    updateDuvEvoCfg, setFileModificationTime,
    giveAllPermissions, exploreFolder, executeFile, dummy,           removeFromDuvEvoCfg};
[[maybe_unused]] constexpr std::array<bool, 10> kLaunches{false, false, false, false, false,
                                                          false, true,  true,  false, false};
constexpr int kMaxStringSize = 8192;
constexpr std::size_t kMaxCalls = 32;
constexpr std::size_t kMaxValues = 64;

constexpr std::string_view kCatalogue = "Product|1|Maker|Name|en|12|Title|2011\r\n"
                                        "0|enfr|enfr.dic@20110214-093000;enfr.idx@2011|EF|3\r\n"
                                        "1|de|de.dic@19991231-235959|German|4\r\n";

void check(bool condition) {
    if (!condition) std::abort();
}

// The folder the calls run in, and the empty folder PATH names.
const std::string& runFolder() {
    static const std::string folder = [] {
        const std::string empty = zetfuzz::pathIn("nobin");
        fs::create_directories(empty);
#ifndef _WIN32
        ::setenv("PATH", empty.c_str(), 1);
#endif
        const std::string run = zetfuzz::pathIn("run");
        fs::create_directories(run);
        return run;
    }();
    return folder;
}

// Makes the run folder the current one for the calls of one input, and the fuzzer's own
// current folder (where it reads its corpus) again afterwards.
class InRunFolder {
  public:
    InRunFolder() : previous_(fs::current_path()) { fs::current_path(runFolder()); }
    InRunFolder(const InRunFolder&) = delete;
    InRunFolder& operator=(const InRunFolder&) = delete;
    ~InRunFolder() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

// The folder's files are written once. The calls change no byte of them (times and access
// aside, which no export reads); what they add is a duvevo.cfg in one of the two folders,
// removed before each input.
void prepareFolder() {
    static const bool written = [] {
        zetfuzz::writeBytes("cat.txt", kCatalogue);
        zetfuzz::writeBytes("groups.ini", "[g]\r\nteam=de\r\n");
        zetfuzz::writeBytes("grnames.ini", "[en]\r\nteam=Team\r\n");
        zetfuzz::writeBytes("de.cfg", "[LONG_NAMES]\r\nenTE=German\r\n[.x]\r\ndics=de,enfr\r\n");
        zetfuzz::writeBytes("instdics.dat", "*de\r\n*enfr\r\n");
        zetfuzz::writeBytes("f.dat", "x");
        fs::create_directory("d");
        return true;
    }();
    (void)written;
    std::error_code ignored;
    fs::remove("duvevo.cfg", ignored);
    fs::remove("d/duvevo.cfg", ignored);
}

// Whether a text read as a path stays in the run folder: relative ("*" first marks a folder),
// no drive or stream, and never above its start by "..".
bool staysHere(std::string_view path) {
    if (!path.empty() && path.front() == '*') path.remove_prefix(1);
    if (path.find(':') != std::string_view::npos) return false;
    if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return false;
    int depth = 0;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find_first_of("/\\"), path.size());
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(std::min(path.size(), end + 1));
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
    }
    return true;
}

// A stack the size of the installer's strings, in nodes from the shared heap.
class Stack {
  public:
    explicit Stack(int stringSize) : size_(static_cast<std::size_t>(stringSize)) {}
    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;
    ~Stack() {
        while (top != nullptr) {
            zet::StackNode* node = top;
            top = node->next;
            zet::platform::freeStackNode(node);
        }
    }

    // Values go on bottom first, so that the first value ends on top.
    void pushUnder(std::string_view text) {
        auto* node = static_cast<zet::StackNode*>(
            zet::platform::allocStackNode(size_ * sizeof(zet::StackChar) + zet::kNodeExtraBytes));
        check(node != nullptr);
        const std::size_t length = std::min(text.size(), size_ - 1);
        // Each input byte is one stack character (a UTF-16 unit in the Unicode builds).
        for (std::size_t i = 0; i < length; ++i)
            node->text[i] = static_cast<zet::StackChar>(static_cast<unsigned char>(text[i]));
        node->text[length] = zet::StackChar{0};
        node->next = nullptr;
        *end_ = node;
        end_ = &node->next;
    }

    // Every node holds a terminated text within the string size.
    void checkNodes() const {
        for (const zet::StackNode* node = top; node != nullptr; node = node->next)
            check(zet::nodeText(*node, size_).size() < size_);
    }

    // The argument an export would take as a path is made a harmless one when it could
    // reach out of the run folder.
    void confineTop() {
        if (top != nullptr && !staysHere(zet::hostFromStack(zet::nodeText(*top, size_)))) {
            top->text[0] = size_ > 1 ? zet::StackChar{'.'} : zet::StackChar{0};
            if (size_ > 1) top->text[1] = zet::StackChar{0};
        }
    }

    zet::StackNode* top = nullptr;

  private:
    std::size_t size_;
    zet::StackNode** end_ = &top;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t firstEnd = std::min(input.find('\n'), input.size());
    const std::string_view first = input.substr(0, firstEnd);
    input.remove_prefix(std::min(input.size(), firstEnd + 1));
    const std::size_t blank = std::min(first.find(' '), first.size());
    const std::string_view calls = first.substr(0, std::min(blank, kMaxCalls));
    const long long asked = std::atoll(std::string(first.substr(blank)).c_str());
    const int callSize = static_cast<int>(std::clamp<long long>(asked, INT_MIN, INT_MAX));
    const int stringSize = std::clamp(callSize, 1, kMaxStringSize);

    const InRunFolder here;
    prepareFolder();
    Stack stack(stringSize);
    for (std::size_t n = 0; n < kMaxValues && !input.empty(); ++n) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        stack.pushUnder(input.substr(0, end));
        input.remove_prefix(std::min(input.size(), end + 1));
    }

    // The exports never touch the variables; one buffer for the largest string size serves.
    static std::vector<zet::StackChar> variables(zet::kVariableCount * kMaxStringSize);
    for (const char letter : calls) {
        const bool withStack = letter >= 'a' && letter <= 'j';
        const bool withoutStack = letter >= 'A' && letter <= 'J';
        if (!withStack && !withoutStack) continue;
        const auto index = static_cast<std::size_t>(letter - (withStack ? 'a' : 'A'));
#ifdef _WIN32
        if (kLaunches[index]) continue;
#endif
        stack.confineTop();
        // 0 for A, then steps through the lowest 64 KiB, which no stack pointer reaches.
        auto* lowAddress = reinterpret_cast<zet::StackNode**>(index * 0x1C71);
        kExports[index](nullptr, callSize, variables.data(), withStack ? &stack.top : lowAddress);
        stack.checkNodes();
    }
    return 0;
}
