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

namespace zetbench {

std::string makeGroupsIni(std::size_t dictionaries, std::size_t groupsEach) {
    std::string text = "[groups]\r\n";
    for (std::size_t d = 0; d < dictionaries; ++d)
        for (std::size_t k = 0; k < groupsEach; ++k)
            text += "g" + std::to_string(d * groupsEach + k) + "=d" + std::to_string(d) + "\r\n";
    return text;
}

std::string makeGroupNamesIni(std::size_t groups) {
    std::string text;
    for (const char* code : {"fi", "sv", "en", "de"}) {
        text += "[" + std::string(code) + "]\r\n";
        for (std::size_t g = 0; g < groups; ++g)
            text += "g" + std::to_string(g) + "=Group " + std::to_string(g) + " " + code + "\r\n";
    }
    return text;
}

namespace {

std::string memberName(std::size_t file, std::size_t index) {
    return "f" + std::to_string(file) + "m" + std::to_string(index);
}

} // namespace

std::string makeDicCfg(std::size_t file, std::size_t groups, std::size_t members) {
    std::string text = "; dictionary configuration " + std::to_string(file) +
                       "\r\n[LONG_NAMES]\r\n"
                       "enTE=File " +
                       std::to_string(file) + "\r\n";
    for (std::size_t g = 0; g < groups; ++g) {
        text += "[.f" + std::to_string(file) + "g" + std::to_string(g) + "]\r\n";
        text += "en=Group " + std::to_string(g) + "\r\nfi=Ryhma " + std::to_string(g) + "\r\n";
        text += "dics=";
        for (std::size_t m = 0; m < members; ++m)
            text += (m == 0 ? "" : ",") + memberName(file, g * members + m);
        text += "\r\n";
    }
    return text;
}

std::string makeInstalledDics(std::size_t files, std::size_t groups, std::size_t members) {
    std::string text;
    for (std::size_t f = 0; f < files; ++f)
        for (std::size_t m = 0; m < groups * members; m += 2)
            text += "*" + memberName(f, m) + "\r\n*other" + std::to_string(f) + "_" +
                    std::to_string(m) + "\r\n";
    return text;
}

} // namespace zetbench
