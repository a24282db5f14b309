// libFuzzer entry: any broken invariant aborts, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "event_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string failure = transistor::testing::PlayEventBytes(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
