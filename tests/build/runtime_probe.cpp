// Linked like an ordinary MinGW console program, with the C++ runtime as DLLs:
// what the import check must reject.
#include <iostream>
#include <stdexcept>

int main(int argc, char**) {
    try {
        if (argc > 8) throw std::runtime_error("many arguments");
    } catch (const std::exception& error) {
        std::cout << error.what() << '\n';
    }
    return 0;
}
