// Inputs for the benchmarks, made the same way on every run.
#pragma once

#include <cstddef>
#include <string>

namespace zetbench {

// A catalogue of `characters` characters at most: a header, then dictionary lines with three
// timed files each, positions counting up from 0.
std::string makeCatalogue(std::size_t characters, std::size_t& dictionaries);

// A mask that selects every position below `count`.
std::string selectAll(std::size_t count);

} // namespace zetbench
