#include "tools/zetdll-check/findings.h"

#include <algorithm>
#include <cstdio>

namespace zetcheck {

namespace {

const char* severityWord(Severity severity) {
    return severity == Severity::error ? "error" : "warning";
}

// A JSON string: quotes, backslashes and control characters escaped, bytes above ASCII as
// their Latin-1 code points, so the array is plain ASCII whatever the media hold.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

std::string inQuotes(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void Findings::file(const std::string& path) {
    if (std::find(files_.begin(), files_.end(), path) == files_.end()) files_.push_back(path);
}

void Findings::add(const std::string& file, std::size_t line, Severity severity, std::string code,
                   std::string message) {
    this->file(file);
    findings_.push_back({file, line, severity, std::move(code), std::move(message)});
}

std::vector<Finding> Findings::sorted() const {
    const auto rank = [this](const std::string& file) {
        return std::find(files_.begin(), files_.end(), file) - files_.begin();
    };
    std::vector<Finding> sorted = findings_;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Finding& a, const Finding& b) {
        const auto ra = rank(a.file);
        const auto rb = rank(b.file);
        return ra != rb ? ra < rb : a.line < b.line;
    });
    return sorted;
}

std::size_t Findings::count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings_.begin(), findings_.end(),
                      [severity](const Finding& f) { return f.severity == severity; }));
}

std::string formatText(const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& f : findings)
        out += f.file + ":" + std::to_string(f.line) + ": " + severityWord(f.severity) + ": " +
               f.message + "\n";
    return out;
}

std::string formatJson(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += std::string(i ? ",\n " : "") + "{\"file\":" + jsonString(f.file) +
               ",\"line\":" + std::to_string(f.line) + ",\"severity\":\"" +
               severityWord(f.severity) + "\",\"code\":" + jsonString(f.code) +
               ",\"message\":" + jsonString(f.message) + "}";
    }
    return out + "]\n";
}

} // namespace zetcheck
