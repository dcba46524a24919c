// One file rewritten as a whole per call: the writes of a call land together, or not at all.
#pragma once

#include <string>
#include <string_view>

namespace zet::platform {

// While open on a path, every read and write of that path through this layer (INI keys, text
// reads and appends) goes to a working copy beside the file, and commit puts the copy in place
// in one step that keeps the file's identity: a process that dies at any moment leaves the file
// as it was before the call or as it is after it. Where no working copy can be made (the folder
// takes no new file, the file may not be written), the writes go to the file itself, as without
// a transaction. Only one transaction is open at a time; one opened inside another does nothing.
class FileTransaction {
  public:
    explicit FileTransaction(const std::string& path);
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;
    // Drops an uncommitted working copy.
    ~FileTransaction();

    // Puts the working copy in place when anything was written to it, and removes what an
    // interrupted earlier call left beside the file. False when the system refused to replace
    // the file (another program holds it open without sharing its deletion): the file is then
    // unchanged and the call's writes are lost, so the caller makes them again in place.
    [[nodiscard]] bool commit();

  private:
    bool outer_;
};

// Drops the open transaction and its working copy, as its owner's destructor does, for a call
// left midway without unwinding (the DLL has no exceptions), so that the next call finds none.
void dropOpenTransaction();

// The path that a read or write of `path` reaches: the open transaction's working copy for its
// file, else `path` itself. Called by the platform layer's own front.
const std::string& routed(const std::string& path);

// Records that a write through routed(path) succeeded, and whether it changed the file's bytes
// (an empty append only creates a missing file, and leaves an existing one as it was).
void noteWritten(const std::string& path, bool changed = true);

// Whether `path` is the open transaction's working copy.
bool isWorkingCopy(const std::string& path);

// Temporary files beside a file: `name`, a mark, twelve random hexadecimal digits and four
// that check them against the name, so that no file this layer did not name is taken for one.
inline constexpr std::string_view kTemporaryMark = ".zetdll-";
std::string temporaryName(std::string_view name);
bool isTemporaryName(std::string_view entry, std::string_view name);

} // namespace zet::platform
