// INI files, one key at a time, with the behaviour of the Windows profile calls: section and
// key names match without regard to letter case, the first matching section and key count,
// a value reads back without surrounding blanks or one pair of enclosing quotes, and a name or
// a value ends at its first NUL. A file that starts with the UTF-16LE byte-order mark is edited as
// UTF-16LE, names and values converted from and to the 8-bit text of this interface; any other
// file is 8-bit text.
#pragma once

#include <string>
#include <string_view>

namespace zet::platform {

// The value of `key` in `section`, whole however long; empty when the file, the section or
// the key is missing.
std::string readIniString(const std::string& path, std::string_view section, std::string_view key);

// Sets `key` in `section` to `value`, creating file, section and key as needed: an existing
// key is replaced in place, a new key goes to the end of its section, a new section to the
// end of the file. False when the file cannot be written, or when the value is longer than the
// system's profile call stores whole (the key then keeps its old value). Inside an IniSession
// the write is collected, and true means only that it was accepted.
bool writeIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// Collects the INI writes made while it is open and writes each changed file once, on commit,
// so that the writes land together or not at all; reads made meanwhile see them. Where the
// system's profile calls write at once (Windows), it changes nothing. A session opened inside
// another one joins it. Not seen by the session: text appended to its files meanwhile.
class IniSession {
  public:
    IniSession();
    IniSession(const IniSession&) = delete;
    IniSession& operator=(const IniSession&) = delete;
    // Drops whatever was not committed.
    ~IniSession();

    // Writes every changed file; false when any of them could not be written (it then stays as
    // it was). Inside another session, leaves that to the outer one and returns true.
    bool commit();

  private:
    bool outer_;
};

// Closes the open session without writing, as its owner's destructor does, for a call left
// midway without unwinding (the DLL has no exceptions), so that the next session is an outer one.
void dropOpenIniSession();

} // namespace zet::platform
