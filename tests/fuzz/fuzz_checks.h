#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rk7::fuzz {

// What one input broke, one line per broken rule; empty when every rule held.
using Problems = std::vector<std::string>;
using Check = Problems (*)(std::string_view data);

// The native reader over data, from a roster whose uncarried cells are marked.
Problems CheckNativeReader(std::string_view data);
// The same for the exchange reader, and the reader that picks the dialect by the banner.
Problems CheckExchangeReader(std::string_view data);
// The four store files read from data: each a two-byte little-endian length and its bytes.
Problems CheckStoreLoad(std::string_view data);
// ReadNumber against strtol, and FormatNumber read back.
Problems CheckReadNumber(std::string_view data);
// A native file read, written and read again: the second roster is what the first one says.
Problems CheckRoundTrip(std::string_view data);

struct Target {
    std::string_view name; // also the folder of its seed corpus and its regressions
    Check check;
};

inline constexpr Target Targets[] = {
    {"native_reader", CheckNativeReader}, {"exchange_reader", CheckExchangeReader},
    {"store_load", CheckStoreLoad},       {"read_number", CheckReadNumber},
    {"round_trip", CheckRoundTrip},
};

// For libFuzzer: runs the check, and on any problem prints them and aborts, so that libFuzzer
// keeps the input as a crash.
int RunOrAbort(Check check, const std::uint8_t* data, std::size_t size);

} // namespace rk7::fuzz
