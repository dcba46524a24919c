// Built into the Windows DLL only, which links the C++ runtime statically: small stand-ins for
// the runtime pieces that would bring in far more code than the plug-in itself. Every error is
// still raised where the runtime raises it and reaches the same handlers.
#include <cstdlib>
#include <exception>
#include <new>

namespace {

// What the standard library's own errors (a string past its largest size, a position out of
// range) become: an exception like theirs to every `catch (const std::exception&)` and
// `catch (...)`, and no std::bad_alloc, just as theirs are not. The runtime's error classes
// keep their texts in reference-counted strings of their own, a second string library.
class LibraryError : public std::exception {
  public:
    const char* what() const noexcept override { return "zetdll: standard library error"; }
};

} // namespace

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}

void __throw_length_error(const char*) {
    throw LibraryError();
}

void __throw_logic_error(const char*) {
    throw LibraryError();
}

void __throw_out_of_range_fmt(const char*, ...) {
    throw LibraryError();
}

} // namespace std

// The default terminate handler prints the pending exception's type and brings in a whole C++
// name demangler with printf's floating-point formatting to do so. No exception leaves an
// export, so terminate can only follow a broken noexcept; it ends the process as the default
// handler does, without the message.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
