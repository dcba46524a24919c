// Text primitives of the catalogue format: lines, separated fields and atoi-style numbers.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace zet::catalogue {

// Lines of a text: every CR LF, lone CR and lone LF ends one, and a last line without a line
// end counts too. An empty text has none.
std::size_t countLines(std::string_view text);

// Sets `line` to the line that begins at `start` (without its line end), or to the empty text
// when it would not fit `capacity` characters with a terminator. Returns where the next line
// begins; at the end of the text that is the end itself, so further calls give empty lines.
std::size_t nextLine(std::string_view text, std::size_t start, std::string_view& line,
                     std::size_t capacity);

// The pieces of `text` between separators, at most `maxFields` of them, in one pass: piece 0
// from the start, the last one to the next separator or the end. Pieces beyond the last
// separator are absent, which fieldText reads as empty.
std::vector<std::string_view>
splitAt(std::string_view text, char separator,
        std::size_t maxFields = std::numeric_limits<std::size_t>::max());

// Field k of split pieces by the format's rules: the blanks that follow its separator dropped
// (field 0 keeps its leading blanks), cut to `capacity` - 1 characters, then trailing blanks
// dropped. Only the blank counts; a tab is an ordinary character.
std::string fieldText(const std::vector<std::string_view>& pieces, std::size_t k,
                      std::size_t capacity);

// Field k of `text` split at `separator`, by the rules of fieldText; empty when the text has
// fewer than k separators.
std::string extractField(std::string_view text, char separator, std::size_t k,
                         std::size_t capacity);

// The value of a decimal text as atoi reads it: leading white space, an optional sign, the
// digits up to the first non-digit; 0 without digits. Out-of-range values saturate at the
// limits of a 32-bit int, as the Windows runtime's atoi does, instead of overflowing.
int parseNumber(std::string_view text);

// The white space that atoi and scanf skip: blank, tab, LF, VT, FF and CR.
bool isSpace(char c);

} // namespace zet::catalogue
