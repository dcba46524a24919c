// zetdll-check: tells the people who prepare installation media what the plug-in will silently
// drop, read otherwise than it is written, or most likely not mean.
//
//   zetdll-check [--mask MASK] [--json] [--quiet] CATALOGUE [MEDIA_FOLDER]
//
// Every finding is one line "FILE:LINE: error: MESSAGE" (or "warning:"), then one summary line.
// Exit status: 1 when there is an error, 2 for bad usage or an unreadable argument, else 0.
#include "platform/files.h"
#include "tools/common/hostpaths.h"
#include "tools/zetdll-check/cataloguecheck.h"
#include "tools/zetdll-check/findings.h"
#include "tools/zetdll-check/mediacheck.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kClean = 0;
constexpr int kErrors = 1;
constexpr int kUsage = 2;

struct Options {
    std::optional<std::string> mask;
    bool json = false;
    bool quiet = false;
    std::string catalogue;
    std::optional<std::string> media;
};

int usage() {
    std::fputs("usage: zetdll-check [--mask MASK] [--json] [--quiet] CATALOGUE [MEDIA_FOLDER]\n",
               stderr);
    return kUsage;
}

bool parseOptions(const std::vector<std::string>& args, Options& options) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--mask" && i + 1 < args.size()) {
            options.mask = args[++i];
        } else if (arg.starts_with("--")) {
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty() || positional.size() > 2) return false;
    options.catalogue = positional[0];
    if (positional.size() == 2) options.media = positional[1];
    return true;
}

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string summary(const Options& options, const zetcheck::CatalogueCheck& check,
                    const zetcheck::Findings& findings) {
    std::string line = "zetdll-check: ";
    if (!check.read) {
        line += "the catalogue cannot be read";
    } else {
        line += counted(check.dictionaries, "dictionary", "dictionaries") + " read";
        if (options.mask)
            line += ", " + std::to_string(check.selected) + " selected by mask " + *options.mask;
    }
    return line + "; " + counted(findings.count(zetcheck::Severity::error), "error", "errors") +
           ", " + counted(findings.count(zetcheck::Severity::warning), "warning", "warnings") +
           "\n";
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(zettools::arguments(argc, argv), options)) return usage();
    if (!zet::platform::readFileBytes(options.catalogue)) {
        std::fprintf(stderr, "zetdll-check: cannot read the catalogue %s\n",
                     options.catalogue.c_str());
        return kUsage;
    }
    zetcheck::Findings findings;
    const zetcheck::CatalogueCheck check =
        zetcheck::checkCatalogue(options.catalogue, options.mask, findings);
    if (options.media &&
        !zetcheck::checkMedia(*options.media, options.catalogue, check, findings)) {
        std::fprintf(stderr, "zetdll-check: cannot read the media folder %s\n",
                     options.media->c_str());
        return kUsage;
    }

    std::vector<zetcheck::Finding> shown = findings.sorted();
    if (options.quiet)
        std::erase_if(shown, [](const auto& f) { return f.severity != zetcheck::Severity::error; });
    const std::string report =
        options.json ? zetcheck::formatJson(shown) : zetcheck::formatText(shown);
    std::fputs(report.c_str(), stdout);
    // With --json the standard output is the array alone; the summary goes beside it.
    std::fputs(summary(options, check, findings).c_str(), options.json ? stderr : stdout);
    return findings.count(zetcheck::Severity::error) > 0 ? kErrors : kClean;
}
