// What std::terminate does in karsobel.exe when built with GCC's C++ run-time (libstdc++), linked
// statically: what the run-time's own __gnu_cxx::__verbose_terminate_handler does, the exception's
// type named as the compiler encodes it (St13runtime_error for std::runtime_error) rather than
// demangled. The run-time's handler is the only part of the program that needs its demangler,
// some 45 kB with GCC 12 and 55 kB with GCC 14, for a message that goes to a standard error a
// Windows program mostly lacks. Defined here, it keeps the linker from taking the run-time's, and
// the demangler with it.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

// Declared by <exception>, which gives it as the default handler.
void __gnu_cxx::__verbose_terminate_handler() {
    static bool terminating = false;
    if (terminating) {
        std::fputs("terminate called recursively\n", stderr);
        std::abort();
    }
    terminating = true;
    if (const std::type_info* const type = abi::__cxa_current_exception_type()) {
        std::fputs("terminate called after throwing an instance of '", stderr);
        std::fputs(type->name(), stderr);
        std::fputs("'\n", stderr);
        try {
            throw;
        } catch (const std::exception& exception) {
            std::fputs("  what():  ", stderr);
            std::fputs(exception.what(), stderr);
            std::fputs("\n", stderr);
        } catch (...) {
        }
    } else {
        std::fputs("terminate called without an active exception\n", stderr);
    }
    std::abort();
}
