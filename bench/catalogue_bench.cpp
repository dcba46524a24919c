// The catalogue: one read of a maximal catalogue, and the whole walk an installer makes.
#include "bench/inputs.h"
#include "catalogue/queries.h"
#include "catalogue/reader.h"
#include "platform/files.h"
#include "tests/support/files.h"
#include "tests/support/host.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Reads into a plain catalogue, which remembers nothing: every read parses.
void readCatalogue(benchmark::State& state) {
    const auto characters = static_cast<std::size_t>(state.range(0));
    std::size_t dictionaries = 0;
    zettest::TempDir folder;
    const std::string path = folder.file("catalogue.txt");
    zettest::writeFile(path, zetbench::makeCatalogue(characters, dictionaries));
    zet::catalogue::CatalogueHeader header;
    zet::catalogue::DictionaryCatalogue catalogue;
    for (auto _ : state) {
        const bool ok = zet::catalogue::readCatalogue(path, header, catalogue);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["dictionaries"] = static_cast<double>(dictionaries);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * characters));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(readCatalogue)->RangeMultiplier(2)->Range(4096, 65536)->Complexity(benchmark::oN);

// Reads that the exports make: the first parses, every later one finds the same text and keeps
// the catalogue. What is left is the file read and the comparison of the texts.
void readCatalogueAgain(benchmark::State& state) {
    std::size_t dictionaries = 0;
    zettest::TempDir folder;
    const std::string path = folder.file("catalogue.txt");
    zettest::writeFile(path, zetbench::makeCatalogue(65536, dictionaries));
    zet::catalogue::RememberedCatalogue remembered;
    for (auto _ : state) {
        const bool ok = zet::catalogue::rereadCatalogue(path, remembered);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(readCatalogueAgain);

// Two maximal catalogues of the same size, one character apart at the very end, to be read in
// turn so that no read finds the text of the one before.
struct TwoCatalogues {
    zettest::TempDir folder;
    std::size_t dictionaries = 0;
    std::string paths[2] = {folder.file("a.txt"), folder.file("b.txt")};
    std::size_t turn = 0;

    TwoCatalogues() {
        const std::string text = zetbench::makeCatalogue(65536, dictionaries);
        zettest::writeFile(paths[0], text);
        zettest::writeFile(paths[1], text.substr(0, text.size() - 3) + "8\r\n");
    }
    const std::string& next() { return paths[turn++ % 2]; }
};

// Two catalogues in turn into one remembered catalogue: every read finds the lines anew.
void readCatalogueAlternating(benchmark::State& state) {
    TwoCatalogues catalogues;
    zet::catalogue::RememberedCatalogue remembered;
    for (auto _ : state) {
        const bool ok = zet::catalogue::rereadCatalogue(catalogues.next(), remembered);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(readCatalogueAlternating);

// What dicInfo and dicFiles ask of a catalogue that differs from the last one read: the read,
// the positions, and the last dictionary picked and parsed, the one the selection walks
// longest to.
void findInAlternating(benchmark::State& state) {
    TwoCatalogues catalogues;
    const std::string mask = zetbench::selectAll(catalogues.dictionaries);
    const std::string last = std::to_string(catalogues.dictionaries - 1);
    for (auto _ : state) {
        zet::catalogue::DictionaryEntry entry;
        const bool found =
            zet::catalogue::findSelectedDictionary(catalogues.next(), mask, last, entry);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(entry);
    }
}
BENCHMARK(findInAlternating);

// loadDicInfo, then dicInfo and dicFiles for every selected dictionary until "0" and "".
void wholeWalk(benchmark::State& state) {
    std::size_t dictionaries = 0;
    zettest::TempDir folder;
    const std::string path = folder.file("catalogue.txt");
    zettest::writeFile(path, zetbench::makeCatalogue(65536, dictionaries));
    const std::string mask = zetbench::selectAll(dictionaries);
    for (auto _ : state) {
        zettest::Host host;
        host.args({path}).call(loadDicInfo);
        for (std::size_t index = 0;; ++index) {
            const std::string n = std::to_string(index);
            host.args({path, mask, n}).call(dicInfo);
            const std::string displayName = host.pop();
            const std::string version = host.pop();
            const bool found = !displayName.empty() || version != "0";
            host.args({path, mask, n}).call(dicFiles);
            if (!found) break;
        }
        benchmark::DoNotOptimize(host.top);
    }
    state.counters["dictionaries"] = static_cast<double>(dictionaries);
}
BENCHMARK(wholeWalk)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The parse alone, on text already in memory: what the read costs without the file system.
void parseCatalogue(benchmark::State& state) {
    std::size_t dictionaries = 0;
    const std::string text = zetbench::makeCatalogue(65536, dictionaries);
    zet::catalogue::CatalogueHeader header;
    zet::catalogue::DictionaryCatalogue catalogue;
    for (auto _ : state) {
        const bool ok = zet::catalogue::parseCatalogue(text, header, catalogue);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(parseCatalogue);

} // namespace

namespace {

// The floor a fresh read is measured against: the same 64 KiB read from the page cache in one
// piece, and every line end found with memchr.
void readAndFindLineEnds(benchmark::State& state) {
    std::size_t dictionaries = 0;
    zettest::TempDir folder;
    const std::string path = folder.file("catalogue.txt");
    zettest::writeFile(path, zetbench::makeCatalogue(65536, dictionaries));
    std::string buffer(1 << 17, '\0');
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        std::size_t lines = 0;
        const char* at = buffer.data();
        const char* const end = buffer.data() + std::max<ssize_t>(got, 0);
        while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
            at = static_cast<const char*>(found) + 1;
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(readAndFindLineEnds);

// The read alone, as the catalogue reader makes it: text mode, cut at 65,536 characters.
void readTextFile(benchmark::State& state) {
    std::size_t dictionaries = 0;
    zettest::TempDir folder;
    const std::string path = folder.file("catalogue.txt");
    zettest::writeFile(path, zetbench::makeCatalogue(65536, dictionaries));
    for (auto _ : state) {
        const auto text = zet::platform::readTextFile(path, 65536);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(readTextFile);

} // namespace
