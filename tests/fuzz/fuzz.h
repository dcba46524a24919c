// Shared by the fuzz targets: the libFuzzer entry point they define, and helpers to turn one
// input into several files and stack arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zetfuzz {

// Splits an input into parts at every line "----" (so a hand-made corpus file stays readable);
// missing parts are empty.
std::vector<std::string> splitParts(std::string_view input, std::size_t count);

// A folder for the target's files, the same for the whole run, emptied before each input.
const std::string& workFolder();
void clearWorkFolder();
std::string pathIn(std::string_view name);

void writeBytes(const std::string& path, std::string_view bytes);

} // namespace zetfuzz
