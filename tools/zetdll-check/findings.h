// What the checker finds, in the form compilers report: file, line, severity, a short code and
// a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zetcheck {

enum class Severity { error, warning };

struct Finding {
    std::string file;
    std::size_t line = 0;
    Severity severity = Severity::error;
    std::string code;
    std::string message;
};

// The findings of one run, kept in the order of their files (as first named) and lines.
class Findings {
  public:
    // Names a file, so that its findings come after those of the files named before it.
    void file(const std::string& path);
    void add(const std::string& file, std::size_t line, Severity severity, std::string code,
             std::string message);

    // In file order, and by line within a file.
    std::vector<Finding> sorted() const;
    std::size_t count(Severity severity) const;

  private:
    std::vector<std::string> files_;
    std::vector<Finding> findings_;
};

// A text from the media in quotes, with its control characters written as \t, \r or \xNN so
// that a finding stays one line.
std::string inQuotes(std::string_view text);

// "FILE:LINE: error: MESSAGE" lines, or one JSON array of objects.
std::string formatText(const std::vector<Finding>& findings);
std::string formatJson(const std::vector<Finding>& findings);

} // namespace zetcheck
