// UTF-16LE profile files: their text held as generalized UTF-8 while it is edited (every code
// unit sequence, unpaired surrogates included, round-trips), and the 8-bit text of the INI
// interface read as Windows code page 1252, the ANSI code page of Western Windows systems.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zet::platform::posix {

// The text of a file that starts with the UTF-16LE mark, without the mark; nullopt for any
// other file. An odd last byte, which holds no code unit, is dropped.
std::optional<std::string> decodeUtf16File(std::string_view bytes);

// The bytes of a UTF-16LE file, mark first, for text that decodeUtf16File or ansiToUtf8 made.
std::string encodeUtf16File(std::string_view text);

// 8-bit text as code page 1252 sees it, and back; a character 1252 has not becomes "?".
std::string ansiToUtf8(std::string_view text);
std::string utf8ToAnsi(std::string_view text);

} // namespace zet::platform::posix
