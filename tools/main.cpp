// transistor-script: runs the program headless from a script.
//   transistor-script SCRIPT    runs the script in the file SCRIPT
//   transistor-script [-]       reads the script from standard input
// Prints one line of JSON per dump on standard output; exits 0 when the
// script ran to its end, 2 with a message on standard error when it did not.
#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/script_runner.h"

namespace {

// The decimal separator of the user's locale, as the window reads numbers;
// everything else runs in the "C" locale.
std::string UserDecimalSeparator() {
    std::string separator = ".";
    if (std::setlocale(LC_ALL, "") != nullptr) {
        const char *point = std::localeconv()->decimal_point;
        if (point != nullptr && *point != '\0') separator = point;
    }
    std::setlocale(LC_ALL, "C");
    return separator;
}

} // namespace

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    const std::string separator = UserDecimalSeparator();
    if (argc > 2) {
        std::cerr << "usage: transistor-script [SCRIPT | -]\n";
        return 2;
    }
    if (argc < 2 || std::strcmp(argv[1], "-") == 0)
        return transistor::RunScript(std::cin, std::cout, std::cerr, separator);

    std::ifstream script(argv[1], std::ios::binary);
    if (!script.is_open()) {
        std::cerr << "cannot open script " << argv[1] << ": " << std::strerror(errno) << '\n';
        return 2;
    }
    // A folder opens like a file but cannot be read; libc++, unlike
    // libstdc++, reads it as an empty script, so the folder is told apart
    // here, and the script stops at its first line as for any read error.
    if (std::error_code error; std::filesystem::is_directory(argv[1], error))
        script.setstate(std::ios::badbit);
    return transistor::RunScript(script, std::cout, std::cerr, separator);
}
