// Deliberate failures for tests: every platform call listed here asks shouldFail first and,
// when told to, fails exactly as a real failure of that call would, so the error paths above
// the platform layer can be driven on demand. Nothing is armed in normal use.
#pragma once

#include <cstddef>

namespace zet::platform::faults {

enum class Point {
    openTextFile,   // readTextFile, readFileBytes: the file cannot be opened (nullopt)
    readTextFile,   // readTextFile: the file opened but nothing could be read (empty text)
    appendTextFile, // appendTextFile: the file cannot be opened for appending (false)
    readIni,        // readIniString: the file cannot be read (empty value)
    writeIni,       // writeIniString: the file cannot be written (false, file unchanged)
    replaceFile,    // FileTransaction::commit: the system refuses to replace the file (inPlace)
    writeCopy,      // a write to a working copy fails (its call is made again in place)
    copyFull,       // a write to a working copy fails for want of space (nothing lands)
    foreignOwner,   // FileTransaction: the file's owner cannot be carried to a new file
    allocStackNode, // allocStackNode: the heap has no block (null)
    setFileTime,    // setFileWriteTime: the file cannot be opened (false, time unchanged)
    openForAccess,  // openForAccessChange: the object cannot be opened (kNoObject)
    writeAccess,    // addWorldAccessEntry: writing the new access fails (writeAccess step)
    writeFile,      // writeFileBytes: the file cannot be written (false, file unchanged)
    count
};

// After `skip` calls that pass, the next `times` calls at `point` fail.
void failNext(Point point, int times = 1, int skip = 0);

// Disarms one point, or all of them.
void clear(Point point);
void clearAll();

// Asked by the platform layer at the start of each call: true when this call must fail.
bool shouldFail(Point point) noexcept;

// Arms a point for one scope.
class ScopedFault {
  public:
    explicit ScopedFault(Point point, int times = 1, int skip = 0) : point_(point) {
        failNext(point, times, skip);
    }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
    ~ScopedFault() { clear(point_); }

  private:
    Point point_;
};

} // namespace zet::platform::faults
