#include "random.h"

double RandomSource::next()
{
    // splitmix64: a full-period 64-bit sequence with well-mixed output bits.
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    // The top 53 bits fill a double's mantissa exactly, so 1.0 is never reached.
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

RandomSource &programRandom()
{
    static RandomSource source;
    return source;
}
