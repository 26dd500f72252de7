#include "random.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

RandomSource &programRandom()
{
    static RandomSource source;
    return source;
}

namespace {

void fillPlain(double *out, std::size_t count, std::uint64_t state, std::uint64_t step)
{
    for (std::size_t i = 0; i < count; ++i)
        out[i] = RandomSource::valueAt(state + i * step);
}

#if defined(__x86_64__)

// AVX-512 multiplies 64-bit lanes itself: the plain loop vectorises as it is.
__attribute__((target("arch=x86-64-v4"))) void fillAvx512(double *out, std::size_t count,
                                                          std::uint64_t state, std::uint64_t step)
{
    for (std::size_t i = 0; i < count; ++i)
        out[i] = RandomSource::valueAt(state + i * step);
}

// AVX2 has no 64-bit multiply. The low 64 bits of a * b are lo·lo, a
// 32 x 32 -> 64-bit product, plus the two cross products' sum shifted up; only
// the low 32 bits of each cross product matter, and one 32-bit multiply of a
// by b with its halves swapped gives both. The vector multiplier is what
// limits this loop, so the fewer multiplies the better.
__attribute__((target("avx2"))) inline __m256i multiply(__m256i a, __m256i b, __m256i bSwapped)
{
    const __m256i cross = _mm256_mullo_epi32(a, bSwapped);
    const __m256i crossSum = _mm256_add_epi64(cross, _mm256_slli_epi64(cross, 32));
    const __m256i highHalf = _mm256_set1_epi64x(static_cast<long long>(0xFFFFFFFF00000000ull));
    return _mm256_add_epi64(_mm256_mul_epu32(a, b), _mm256_and_si256(crossSum, highHalf));
}

__attribute__((target("avx2"))) void fillAvx2(double *out, std::size_t count, std::uint64_t state,
                                              std::uint64_t step)
{
    constexpr std::uint64_t m1 = 0xBF58476D1CE4E5B9ull;
    constexpr std::uint64_t m2 = 0x94D049BB133111EBull;
    const auto swapped = [](std::uint64_t m) {
        return (m << 32) | (m >> 32);
    };
    const __m256i m1Vector = _mm256_set1_epi64x(static_cast<long long>(m1));
    const __m256i m1Swapped = _mm256_set1_epi64x(static_cast<long long>(swapped(m1)));
    const __m256i m2Vector = _mm256_set1_epi64x(static_cast<long long>(m2));
    const __m256i m2Swapped = _mm256_set1_epi64x(static_cast<long long>(swapped(m2)));
    const __m256i one = _mm256_set1_epi64x(0x3FF0000000000000ll);
    const __m256i half = _mm256_set1_epi64x(0x3CA0000000000000ll);
    const __m256d oneReal = _mm256_set1_pd(1.0);
    const auto lane = [&](std::uint64_t i) {
        return static_cast<long long>(state + i * step);
    };
    __m256i states = _mm256_set_epi64x(lane(3), lane(2), lane(1), lane(0));
    const __m256i advance = _mm256_set1_epi64x(static_cast<long long>(4 * step));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        __m256i z = states;
        z = multiply(_mm256_xor_si256(z, _mm256_srli_epi64(z, 30)), m1Vector, m1Swapped);
        z = multiply(_mm256_xor_si256(z, _mm256_srli_epi64(z, 27)), m2Vector, m2Swapped);
        z = _mm256_xor_si256(z, _mm256_srli_epi64(z, 31));
        // As valueAt: top = z >> 11, its upper 52 bits as a mantissa, its
        // last bit (bit 11 of z, shifted up to the sign) choosing 2^-53.
        const __m256d high = _mm256_sub_pd(
            _mm256_castsi256_pd(_mm256_or_si256(one, _mm256_srli_epi64(z, 12))), oneReal);
        const __m256d low = _mm256_blendv_pd(_mm256_setzero_pd(), _mm256_castsi256_pd(half),
                                             _mm256_castsi256_pd(_mm256_slli_epi64(z, 52)));
        _mm256_storeu_pd(out + i, _mm256_add_pd(high, low));
        states = _mm256_add_epi64(states, advance);
    }
    fillPlain(out + i, count - i, state + i * step, step);
}

#endif

} // namespace

bool RandomSource::canFillWith(FillPath path)
{
#if defined(__x86_64__)
    switch (path) {
    case FillPath::Plain:
        return true;
    case FillPath::Avx2:
        return __builtin_cpu_supports("avx2");
    case FillPath::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
               __builtin_cpu_supports("avx512vl");
    }
    return false;
#else
    return path == FillPath::Plain;
#endif
}

void RandomSource::fillWith(FillPath path, double *out, std::size_t count, std::uint64_t state,
                            std::uint64_t step)
{
#if defined(__x86_64__)
    if (path == FillPath::Avx512)
        return fillAvx512(out, count, state, step);
    if (path == FillPath::Avx2)
        return fillAvx2(out, count, state, step);
#else
    (void)path;
#endif
    fillPlain(out, count, state, step);
}

void RandomSource::fill(double *out, std::size_t count, std::uint64_t state, std::uint64_t step)
{
    static const FillPath best = canFillWith(FillPath::Avx512) ? FillPath::Avx512
                                 : canFillWith(FillPath::Avx2) ? FillPath::Avx2
                                                               : FillPath::Plain;
    fillWith(best, out, count, state, step);
}
