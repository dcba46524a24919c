// The export table: every function an installer script can call, with the NSIS plug-in
// signature. Each one pops its arguments, calls the logic with typed values and pushes its
// results, in the order the script sees them: the value pushed last is popped first.
#include "appconfig/dispatch.h"
#include "catalogue/queries.h"
#include "catalogue/timetext.h"
#include "fsops/fsops.h"
#include "platform/export.h"
#include "plugin/frame.h"

namespace zet {

namespace {

void pushFailed() {
    pushText("failed");
}

void pushOk() {
    pushText("ok");
}

// Pops: catalogue path. Pushes header fields 7, 6, 5 (a number), 4 to 0, then "ok"; or only
// "failed".
void loadDicInfo() {
    const catalogue::CatalogueHeader* header = catalogue::loadCatalogueHeader(popPath());
    if (header == nullptr) return pushFailed();
    pushText(header->fields[7]);
    pushText(header->fields[6]);
    pushNumber(header->number);
    for (int k = 4; k >= 0; --k) pushText(header->fields[static_cast<std::size_t>(k)]);
    pushText("ok");
}

// Pops: catalogue path, selection mask, index. The n-th selected dictionary into `entry`; false
// when there is none.
bool popSelectedDictionary(catalogue::DictionaryEntry& entry) {
    const std::string path = popPath();
    const std::string mask = popText();
    const std::string index = popText();
    return catalogue::findSelectedDictionary(path, mask, index, entry);
}

void pushNotFound() {
    pushText("0");
    pushText("");
}

// Pushes: version, display name; or "0" and the empty text.
void dicInfo() {
    catalogue::DictionaryEntry entry;
    if (!popSelectedDictionary(entry)) return pushNotFound();
    pushNumber(entry.version);
    pushText(entry.displayName);
}

// Pushes: for each file its time text and then its name, the file count, the short name; or
// "0" and the empty text.
void dicFiles() {
    catalogue::DictionaryEntry entry;
    if (!popSelectedDictionary(entry)) return pushNotFound();
    for (const catalogue::DictionaryFile& file : entry.files) {
        pushText(catalogue::fileTimeText(file.modified));
        pushText(file.name);
    }
    pushNumber(static_cast<int>(entry.files.size()));
    pushText(entry.shortName);
}

// Pops: installation folder, dictionary name or "/"-led list. Pushes "ok" whatever happened;
// a name the code page cannot hold is merged nowhere.
void updateDuvEvoCfg() {
    const std::string folder = popPath();
    const std::optional<std::string> argument = popPathOrExactText(appconfig::isInstallList);
    // The script is answered "ok" whatever the merge did.
    if (argument) (void)appconfig::dispatchCfgUpdate(folder, *argument);
    pushOk();
}

// Pops: installation folder, dictionary name or "/"-led list. Pushes "ok" when nothing of what
// it takes out of duvevo.cfg is left there, "failed" when it could not be written.
void removeFromDuvEvoCfg() {
    const std::string folder = popPath();
    const std::optional<std::string> argument = popPathOrExactText(appconfig::isInstallList);
    // A name the code page cannot hold was merged nowhere, so nothing of it is there to take out.
    const bool removed =
        argument ? appconfig::dispatchCfgRemoval(folder, *argument) : !folder.empty();
    pushText(removed ? "ok" : "failed");
}

// Pops: path, "*"-led for a folder.
void giveAllPermissions() {
    fsops::giveAllPermissions(popPath());
}

// Pops: folder path.
void exploreFolder() {
    fsops::exploreFolder(popPath());
}

// Pops: file path.
void executeFile() {
    fsops::executeFile(popPath());
}

// Pops: file path, time text.
void setFileModificationTime() {
    const std::string path = popPath();
    const std::string timeText = popText();
    fsops::setFileModificationTime(path, catalogue::parseFileTimeText(timeText).value());
}

// Pops up to four values and discards them, stopping early when the stack runs out.
void dummy() {
    for (int i = 0; i < 4 && dropValue(); ++i) {
    }
}

} // namespace

} // namespace zet

// Each export with what it leaves when it cannot get its memory (see runExport): its arguments
// taken, and its answer to an input it cannot read.
#define ZET_PLUGIN_EXPORT(name, pops, answer)                                                      \
    extern "C" ZET_EXPORT void name(void* parentWindow, int stringSize, zet::StackChar* variables, \
                                    zet::StackNode** stackTop) {                                   \
        zet::runExport(parentWindow, stringSize, variables, stackTop, zet::name, pops, answer);    \
    }

ZET_PLUGIN_EXPORT(loadDicInfo, 1, zet::pushFailed)
ZET_PLUGIN_EXPORT(dicInfo, 3, zet::pushNotFound)
ZET_PLUGIN_EXPORT(dicFiles, 3, zet::pushNotFound)
ZET_PLUGIN_EXPORT(updateDuvEvoCfg, 2, zet::pushOk)
ZET_PLUGIN_EXPORT(removeFromDuvEvoCfg, 2, zet::pushFailed)
ZET_PLUGIN_EXPORT(giveAllPermissions, 1, nullptr)
ZET_PLUGIN_EXPORT(exploreFolder, 1, nullptr)
ZET_PLUGIN_EXPORT(executeFile, 1, nullptr)
ZET_PLUGIN_EXPORT(setFileModificationTime, 2, nullptr)
ZET_PLUGIN_EXPORT(dummy, 4, nullptr)
