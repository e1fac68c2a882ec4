// One small libFuzzer target: the bytes straight to one check, no file and no other decoder,
// so the check runs thousands of times a second. CMake builds it once for each check, naming
// the check in FUZZ_CHECK (see CMakeLists.txt).
#include <cstdint>
#include <string_view>

#include "box_checks.h"
#include "decoding_checks.h"
#include "japanese_checks.h"

#ifndef FUZZ_CHECK
#error "FUZZ_CHECK names the check this target runs"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
