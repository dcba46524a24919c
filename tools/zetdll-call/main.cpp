// zetdll-call: hosts the plug-in the way an installer does, for trying one call by hand.
//
//   zetdll-call [--plugin PATH] [--string-size N] [--no-stack] [--json] EXPORT [ARG...]
//
// The arguments are pushed so that the first one ends on top (as `zetdll::EXPORT ARG1 ARG2`
// does in a script); after the call the whole stack is printed, top first.
#include "plugin/hoststack.h"
#include "tools/common/hostpaths.h"
#include "tools/zetdll-call/library.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct Options {
    std::string plugin;
    int stringSize = zet::kDefaultStringSize;
    bool noStack = false;
    bool json = false;
    std::string exportName;
    std::vector<std::string> arguments;
};

int usage() {
    std::fputs("usage: zetdll-call [--plugin PATH] [--string-size N] [--no-stack] [--json] "
               "EXPORT [ARG...]\n",
               stderr);
    return 2;
}

bool parseOptions(const std::vector<std::string>& args, Options& options) {
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        const std::string& option = args[i];
        if (option == "--") {
            ++i;
            break;
        }
        if (option == "--no-stack") {
            options.noStack = true;
        } else if (option == "--json") {
            options.json = true;
        } else if (option == "--plugin" && i + 1 < args.size()) {
            options.plugin = args[++i];
        } else if (option == "--string-size" && i + 1 < args.size()) {
            options.stringSize = std::atoi(args[++i].c_str());
        } else {
            return false;
        }
    }
    if (i >= args.size()) return false;
    options.exportName = args[i++];
    options.arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return true;
}

// Characters outside printable ASCII as \u escapes of their code: an ANSI byte as its Latin-1
// code point, a UTF-16 unit (in the Unicode builds) as itself.
void printJsonString(zet::StackView text) {
    std::putchar('"');
    for (const zet::StackChar unit : text) {
        const auto c = static_cast<std::make_unsigned_t<zet::StackChar>>(unit);
        if (c == '"' || c == '\\') {
            std::printf("\\%c", static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7f) {
            std::printf("\\u%04x", static_cast<unsigned>(c));
        } else {
            std::putchar(static_cast<char>(c));
        }
    }
    std::putchar('"');
}

void printStack(const std::vector<zet::StackText>& values, bool json) {
    if (!json) {
        for (const auto& value : values) std::printf("%s\n", zet::hostFromStack(value).c_str());
        return;
    }
    std::putchar('[');
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) std::putchar(',');
        printJsonString(values[i]);
    }
    std::puts("]");
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(zettools::arguments(argc, argv), options)) return usage();
    zetcall::useBinaryOutput();

    const std::string path = options.plugin.empty() ? zetcall::defaultPluginPath() : options.plugin;
    std::string error;
    void* plugin = zetcall::loadPlugin(path, error);
    if (plugin == nullptr) {
        std::fprintf(stderr, "zetdll-call: cannot load %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    const auto function = zetcall::findExport(plugin, options.exportName);
    if (function == nullptr) {
        std::fprintf(stderr, "zetdll-call: %s has no export named %s\n", path.c_str(),
                     options.exportName.c_str());
        return 1;
    }

    // The export gets the size asked for, so that its refusal of a size no installer passes can
    // be tried; the nodes are then made for the default size.
    const int nodeSize =
        zet::stringSizeFits(options.stringSize) ? options.stringSize : zet::kDefaultStringSize;
    zet::StackNode* top = nullptr;
    for (auto it = options.arguments.rbegin(); it != options.arguments.rend(); ++it) {
        if (!zet::pushNode(top, zet::stackFromHost(*it), nodeSize)) {
            std::fputs("zetdll-call: out of memory\n", stderr);
            return 1;
        }
    }
    // The plug-in records the variables but never reads or writes them.
    static std::vector<zet::StackChar> variables(zet::kVariableCount * zet::kDefaultStringSize);
    function(nullptr, options.stringSize, variables.data(), options.noStack ? nullptr : &top);

    std::vector<zet::StackText> values;
    while (top != nullptr) values.push_back(zet::popNode(top, zet::textCapacity(nodeSize)));
    printStack(values, options.json);
    return 0;
}
