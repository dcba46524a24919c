// Catalogue bytes, a selection mask and indexes, through the checker's noted read, the
// remembering read (whose index and entries parsed on demand must equal the whole parse), and
// loadDicInfo, dicInfo and dicFiles on a real stack. Input parts: catalogue, mask, index list
// (one index text a line).
#include "catalogue/notes.h"
#include "catalogue/reader.h"
#include "tests/fuzz/fuzz.h"
#include "tests/support/host.h"

#include <cstdlib>

namespace {

bool sameEntry(const zet::catalogue::DictionaryEntry& a, const zet::catalogue::DictionaryEntry& b) {
    if (a.position != b.position || a.shortName != b.shortName || a.displayName != b.displayName ||
        a.version != b.version || a.files.size() != b.files.size())
        return false;
    for (std::size_t k = 0; k < a.files.size(); ++k)
        if (a.files[k].name != b.files[k].name || a.files[k].modified != b.files[k].modified)
            return false;
    return true;
}

// The remembering read indexes what the whole parse reads: the same outcome, header and slots.
void checkRemembered(const std::string& path, bool ok,
                     const zet::catalogue::CatalogueHeader& header,
                     const zet::catalogue::DictionaryCatalogue& whole) {
    zet::catalogue::RememberedCatalogue remembered;
    if (zet::catalogue::rereadCatalogue(path, remembered) != ok) std::abort();
    if (!ok) return;
    const zet::catalogue::CatalogueHeader& rememberedHeader = remembered.header;
    if (rememberedHeader.fields != header.fields || rememberedHeader.number != header.number ||
        remembered.lines.size() != whole.entries.size())
        std::abort();
    const std::vector<int>& positions = zet::catalogue::slotPositions(remembered);
    for (std::size_t slot = 0; slot < whole.entries.size(); ++slot) {
        zet::catalogue::DictionaryEntry entry;
        zet::catalogue::rememberedEntry(remembered, slot, entry);
        if (positions.at(slot) != whole.entries[slot].position ||
            !sameEntry(entry, whole.entries[slot]))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = zetfuzz::splitParts({reinterpret_cast<const char*>(data), size}, 3);
    zetfuzz::clearWorkFolder();
    const std::string catalogue = zetfuzz::pathIn("catalogue.txt");
    zetfuzz::writeBytes(catalogue, parts[0]);

    // The checker's read of the same file, noting what it drops.
    zet::catalogue::CatalogueHeader header;
    zet::catalogue::DictionaryCatalogue noted;
    zet::catalogue::ReadNotes notes;
    const bool ok = zet::catalogue::readCatalogue(catalogue, header, noted, &notes);
    checkRemembered(catalogue, ok, header, noted);

    zettest::Host host;
    host.args({catalogue}).call(loadDicInfo);
    std::string_view indexes = parts[2];
    for (int round = 0; round < 8 && !indexes.empty(); ++round) {
        const auto end = indexes.find('\n');
        const std::string index(indexes.substr(0, end));
        indexes = end == std::string_view::npos ? std::string_view{} : indexes.substr(end + 1);
        host.args({catalogue, parts[1], index}).call(dicInfo);
        host.args({catalogue, parts[1], index}).call(dicFiles);
        // A missing file leaves the catalogue as the last read left it.
        host.args({zetfuzz::pathIn("missing.txt"), parts[1], index}).call(dicFiles, 16);
    }
    return 0;
}
