#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// A small, fast generator of uniform reals in [0, 1). The program draws from
// one instance, programRandom(), which starts from the same fixed seed every
// run, so the airbrush and the noise filters repeat themselves exactly.
//
// The generator is counter-based: each draw moves the state on by Step and
// mixes the new state into the number, so draw k from a known state can be
// computed directly. A filter that draws once per pixel can compute any row's
// draws on its own, in any order or in parallel, and get the same numbers as
// a pixel-by-pixel loop that calls next().
class RandomSource
{
public:
    static constexpr std::uint64_t DefaultSeed = 0x4B616C766F2D3031ull;
    static constexpr std::uint64_t Step = 0x9E3779B97F4A7C15ull;

    explicit RandomSource(std::uint64_t seed = DefaultSeed) : m_state(seed) {}

    // The next number, uniform in [0, 1).
    double next()
    {
        m_state += Step;
        return valueAt(m_state);
    }

    // Starts the sequence again from seed.
    void reseed(std::uint64_t seed = DefaultSeed) { m_state = seed; }

    // The state now; draw k (0 for the next one) mixes state() + (k + 1) * Step.
    std::uint64_t state() const { return m_state; }
    // Moves on as count calls of next() would.
    void skip(std::uint64_t count) { m_state += count * Step; }

    // The number drawn when the state has just become state.
    static double valueAt(std::uint64_t state)
    {
        // splitmix64: a full-period 64-bit sequence with well-mixed output bits.
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        // The top 53 bits as a fraction of 2^53, so 1.0 is never reached. It
        // is built from bits, which vector code does without an integer to
        // real conversion: the top 52 bits as the mantissa of a number in
        // [1, 2), less 1, plus 2^-53 for the last bit; both steps are exact.
        const std::uint64_t top = z >> 11;
        const double high = std::bit_cast<double>(0x3FF0000000000000ull | (top >> 1)) - 1.0;
        const double low = std::bit_cast<double>((0 - (top & 1)) & 0x3CA0000000000000ull);
        return high + low;
    }

    // out[i] = valueAt(state + i * step) for i < count: the draws of a row of
    // pixels, on the widest vector unit this machine has, the same bit for bit.
    static void fill(double *out, std::size_t count, std::uint64_t state, std::uint64_t step);

    // The ways fill can run, for checking each one against valueAt.
    enum class FillPath { Plain, Avx2, Avx512 };
    static bool canFillWith(FillPath path);
    static void fillWith(FillPath path, double *out, std::size_t count, std::uint64_t state,
                         std::uint64_t step);

private:
    std::uint64_t m_state;
};

RandomSource &programRandom();
