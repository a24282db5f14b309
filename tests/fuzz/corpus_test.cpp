// Every stored fuzzer input, findings included, plays through cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "event_script.h"

namespace {

TEST(FuzzCorpus, EveryStoredInputHoldsTheInvariants) {
    int played = 0;
    for (const auto &entry : std::filesystem::directory_iterator(TRANSISTOR_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        EXPECT_EQ(transistor::testing::PlayEventBytes(bytes.data(), bytes.size()), "")
            << entry.path();
        ++played;
    }
    EXPECT_GT(played, 0);
}

} // namespace
