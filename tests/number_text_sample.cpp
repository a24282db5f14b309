// number-text-sample [N]: writes N random floats and doubles (every bit
// pattern alike, and values of the sizes the program writes) as ShortestText
// writes them, and reads N random decimal texts as floats and doubles, one
// line each. The sequence is seeded, so a build for another platform must
// write the same bytes as the native one (the number text test checks the
// native one against the standard library).
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "model/number_text.h"

namespace {

// std::bit_cast, which emscripten's libc++ lacks.
template <class To, class From> To BitCast(From from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

template <class T, class Bits> void Read(const std::string &text) {
    T v = 0;
    const auto [end, ec] = transistor::ReadNumberText(text.data(), text.data() + text.size(), v);
    // By name: the numbers of the errors differ between C libraries.
    const char *error = ec == std::errc()                      ? "ok"
                        : ec == std::errc::result_out_of_range ? "out of range"
                                                               : "invalid";
    std::printf(" %td:%s:%" PRIx64, end - text.data(), error,
                static_cast<std::uint64_t>(BitCast<Bits>(v)));
}

} // namespace

int main(int argc, char **argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 20000;
    // Both engine and distribution are fully specified by the standard, but
    // only the engine's numbers are used, to depend on no library's choice.
    std::mt19937_64 gen(20240611);
    using transistor::ShortestText;
    for (long i = 0; i < n; ++i) {
        const float f = BitCast<float>(static_cast<std::uint32_t>(gen()));
        const double d = BitCast<double>(gen());
        const float twips = static_cast<float>(gen() % 100000000) / 10000.0f;
        const double ev = static_cast<double>(gen() % 100000) / 1000.0 + 1.0 / 3;
        std::printf("%s %s %s %s\n", ShortestText(f).c_str(), ShortestText(d).c_str(),
                    ShortestText(twips).c_str(), ShortestText(ev).c_str());
    }
    for (long i = 0; i < n; ++i) {
        std::string text = gen() % 4 == 0 ? "-" : "";
        for (int k = static_cast<int>(1 + gen() % 25); k > 0; --k)
            text += static_cast<char>('0' + gen() % 10);
        if (gen() % 2) text.insert(gen() % text.size(), ".");
        if (gen() % 2) text += "e" + std::to_string(static_cast<int>(gen() % 700) - 350);
        std::printf("%s", text.c_str());
        Read<float, std::uint32_t>(text);
        Read<double, std::uint64_t>(text);
        std::printf("\n");
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
