// The C++ library reports misuse (a string grown past its limit, a position past its end,
// ...) through these functions. Its own versions build std::logic_error and its kin,
// which carry the library's second, copy-on-write string implementation into the program;
// these throw the program's own exception with the same message instead.
#include <cstdlib>
#include <new>
#include <string>

#include "platform/errors.h"

// The library's default terminate handler prints the escaping exception's demangled type to
// stderr, which a GUI program does not have; its demangler alone is some 50 KB. Both programs
// catch everything at their entry, so an exception that still escapes can only end the process.
void __gnu_cxx::__verbose_terminate_handler() {
  std::abort();
}

namespace std {

void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_length_error(const char* what) {
  throw plat::Error(what);
}
void __throw_logic_error(const char* what) {
  throw plat::Error(what);
}
void __throw_out_of_range_fmt(const char* format, ...) {
  throw plat::Error(format);
}
// A thread that cannot start, a lock that fails: the library's own report, std::system_error,
// would bring its category's strings and the system's message tables.
void __throw_system_error(int code) {
  throw plat::Error("błąd systemu nr " + std::to_string(code));
}

}  // namespace std
