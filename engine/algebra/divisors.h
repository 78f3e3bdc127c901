// The divisors of a 64-bit number, for the searches of integer roots and zeros.
#pragma once

#include <cstdint>
#include <vector>

namespace abacor {

// Every positive divisor of m in ascending order (none for 0), found from the prime
// factors of m, so that it is fast for any 64-bit m.
std::vector<std::uint64_t> DivisorsOf(std::uint64_t m);

}  // namespace abacor
