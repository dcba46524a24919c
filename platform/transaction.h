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
// a transaction; so do they where the copy's path would be too long for the system, or where a
// new file would have another owner than the file has and its owner cannot be carried over.
// Only one transaction is open at a time; one opened inside another does nothing.
class FileTransaction {
  public:
    explicit FileTransaction(const std::string& path);
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;
    // Drops an uncommitted working copy.
    ~FileTransaction();

    enum class Landing {
        whole,   // the call's writes are in the file (or it wrote nothing)
        none,    // nothing reached the file, and writing it in place could cut it short too
        inPlace, // nothing reached the file: the caller makes the call again on the file itself
    };

    // Puts the working copy in place when anything was written to it, and removes what an
    // interrupted earlier call left beside the file. A write that failed on the copy, or a
    // system that refuses the replacement (another program holds the file open without sharing
    // its deletion), leaves the file as it was and answers inPlace, so that no update is lost;
    // none when a write failed for want of space.
    [[nodiscard]] Landing commit();

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

// Records the outcome of a write through routed(path) that the system half just made (a failure
// with the reason the system gives, for want of space or another), and passes it on.
bool noteOutcome(const std::string& path, bool done, bool changed = true);

// Asked before a write to routed(path): true, with the failure recorded, when a fault point
// stands for the system failing a write to the working copy.
bool writeFails(const std::string& path);

// Whether `path` is the open transaction's working copy.
bool isWorkingCopy(const std::string& path);

// Temporary files beside a file: `name`, a mark, twelve random hexadecimal digits and four
// that check them against the name, so that no file this layer did not name is taken for one.
inline constexpr std::string_view kTemporaryMark = ".zetdll-";
std::string temporaryName(std::string_view name);
bool isTemporaryName(std::string_view entry, std::string_view name);

} // namespace zet::platform
