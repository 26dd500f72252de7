#pragma once

#include <cstdint>

// A small, fast generator of uniform reals in [0, 1). The program draws from
// one instance, programRandom(), which starts from the same fixed seed every
// run, so the airbrush and the noise filters repeat themselves exactly.
class RandomSource
{
public:
    static constexpr std::uint64_t DefaultSeed = 0x4B616C766F2D3031ull;

    explicit RandomSource(std::uint64_t seed = DefaultSeed) : m_state(seed) {}

    // The next number, uniform in [0, 1).
    double next();

    // Starts the sequence again from seed.
    void reseed(std::uint64_t seed = DefaultSeed) { m_state = seed; }

private:
    std::uint64_t m_state;
};

RandomSource &programRandom();
