// Text primitives of the catalogue format: lines, separated fields and atoi-style numbers.
// The small field functions are defined here, inline: the reader calls them for every field.
#pragma once

#include "platform/textrules.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zet::catalogue {

// Walks the lines of a text: every CR LF, lone CR and lone LF ends one, and a last line without
// a line end counts too. The next CR and the next LF are each searched for once and remembered
// until the walk passes them, so a whole walk reads every character a bounded number of times
// whichever line ends the text uses.
class LineReader {
  public:
    explicit LineReader(std::string_view text);

    // No line is left: the walk stands at the end of the text.
    bool atEnd() const { return at_ == text_.size(); }
    // Where the next line begins.
    std::size_t position() const { return at_; }

    // The next line without its line end, or the empty text when it would not fit `capacity`
    // characters with a terminator; the walk moves past its line end. At the end of the text
    // every call gives the empty text.
    std::string_view next(std::size_t capacity);

  private:
    std::size_t upcoming(std::size_t& found, char c) const;

    std::string_view text_;
    std::size_t at_;
    std::size_t cr_; // the first CR at or after at_, or the size of the text
    std::size_t lf_; // the first LF at or after at_, or the size of the text
};

// Lines of a text, counted as LineReader walks them. An empty text has none.
std::size_t countLines(std::string_view text);

// Fills `pieces` with the pieces of `text` between separators, in one pass: piece 0 from the
// start, the last one to the next separator or the end. Returns how many were found; the
// slots after them are left as they are.
inline std::size_t splitInto(std::string_view text, char separator,
                             std::span<std::string_view> pieces) {
    std::size_t found = 0;
    std::size_t start = 0;
    while (found < pieces.size()) {
        const std::size_t end = text.find(separator, start);
        pieces[found++] = text.substr(start, end - start);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return found;
}

// How many pieces `text` has between separators, but at most `wanted`: a line qualifies by
// this count before it is split. Stops at the separator that makes the count.
inline std::size_t fieldsIn(std::string_view text, char separator, std::size_t wanted) {
    std::size_t found = 1;
    for (std::size_t at = text.find(separator); found < wanted && at != std::string_view::npos;
         at = text.find(separator, at + 1))
        ++found;
    return std::min(found, wanted);
}

// Where a field begins in its piece: after the blanks that follow its separator, when it has one.
inline std::size_t fieldStart(std::string_view piece, bool afterSeparator) {
    std::size_t begin = 0;
    if (afterSeparator)
        while (begin < piece.size() && piece[begin] == ' ') ++begin;
    return begin;
}

// Where the limit ends a field that begins at `begin` of its piece: `capacity` - 1 characters on.
inline std::size_t fieldLimit(std::string_view piece, std::size_t begin, std::size_t capacity) {
    return begin + std::min(piece.size() - begin, capacity == 0 ? 0 : capacity - 1);
}

// A piece by the format's field rules: the blanks that follow its separator dropped (only when
// `afterSeparator`: field 0 keeps its leading blanks), cut to `capacity` - 1 characters, then
// trailing blanks dropped. Only the blank counts; a tab is an ordinary character.
inline std::string_view trimField(std::string_view piece, bool afterSeparator,
                                  std::size_t capacity) {
    const std::size_t begin = fieldStart(piece, afterSeparator);
    std::size_t end = fieldLimit(piece, begin, capacity);
    while (end > begin && piece[end - 1] == ' ') --end;
    return piece.substr(begin, end - begin);
}

// What trimField drops at the limit: the rest of the piece after its first `capacity` - 1
// characters (counted after the blanks that follow the separator), without its trailing blanks.
// Empty when nothing but blanks is dropped.
std::string_view cutOff(std::string_view piece, bool afterSeparator, std::size_t capacity);

// Field k of split pieces by the rules of trimField, as a view into the text; empty when
// there is no piece k.
inline std::string_view fieldView(std::span<const std::string_view> pieces, std::size_t k,
                                  std::size_t capacity) {
    return k < pieces.size() ? trimField(pieces[k], k > 0, capacity) : std::string_view();
}

// A decimal text as atoi reads it: leading white space, an optional sign, the digits up to the
// first non-digit; 0 without digits. Out-of-range values saturate at the limits of a 32-bit
// int, as the Windows runtime's atoi does, instead of overflowing. `end` is where the digits
// end, 0 when there are none.
struct NumberReading {
    int value = 0;
    std::size_t end = 0;
};
NumberReading readNumber(std::string_view text);

// The value alone.
int parseNumber(std::string_view text);

// The white space that atoi and scanf skip: blank, tab, LF, VT, FF and CR.
using platform::isSpace;

} // namespace zet::catalogue
