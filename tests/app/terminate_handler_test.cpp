// Ends through std::terminate while it handles an exception, for its test to read what
// karsobel.exe's terminate handler (app/terminate_handler.cpp) says then.
#include <exception>
#include <stdexcept>

int main() {
    try {
        throw std::runtime_error("a failure nothing handles");
    } catch (...) {
        std::terminate();
    }
}
