// The libFuzzer entry of one reader; the build compiles it once per reader,
// naming it in FUZZED_READER.
#include "fuzz/FuzzedReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FUZZED_READER(data, size);
    return 0;
}
