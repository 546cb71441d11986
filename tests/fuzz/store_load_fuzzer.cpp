// libFuzzer entry point; the rules it checks live in fuzz_checks.cpp.
#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return rk7::fuzz::RunOrAbort(rk7::fuzz::CheckStoreLoad, data, size);
}
