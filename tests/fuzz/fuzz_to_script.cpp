// fuzz-to-script INPUT: writes the fuzzer input INPUT (tests/fuzz/corpus/, or
// a finding) as a script of transistor-script, which plays the same events
// and dumps after each Start and Restart and at the end.
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "event_script.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz-to-script INPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        std::cerr << "cannot read " << argv[1] << '\n';
        return 2;
    }
    std::cout << transistor::testing::EventBytesScript(bytes.data(), bytes.size()).script;
    return std::cout.flush() ? 0 : 2;
}
