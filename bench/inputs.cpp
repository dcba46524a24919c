#include "bench/inputs.h"

namespace zetbench {

std::string makeCatalogue(std::size_t characters, std::size_t& dictionaries) {
    std::string text = "Duvevo|Maker|Professional|2011|DVD|12|Setup|2011-03\r\n";
    dictionaries = 0;
    for (;;) {
        const std::string n = std::to_string(dictionaries);
        const std::string line = n + " | d" + n + " | d" + n + ".dic@20110214-093000 ; d" + n +
                                 ".idx@20110214-093012 ; d" + n +
                                 ".snd@20110215-120000 | Dictionary number " + n + " | 7\r\n";
        // The reader sees CR LF as one character.
        if (text.size() - dictionaries - 1 + line.size() - 1 > characters) break;
        text += line;
        ++dictionaries;
    }
    return text;
}

std::string selectAll(std::size_t count) {
    return std::string(count, '1');
}

} // namespace zetbench
