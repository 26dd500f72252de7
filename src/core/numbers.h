#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Every real-to-integer conversion of the program goes through these, so that
// ties are rounded the same way everywhere: to the even neighbour.
double roundHalfEven(double value);

// roundHalfEven for |value| below 2^51, inline for pixel loops: adding and
// taking away 1.5 * 2^52 leaves the nearest integer, ties to even, in the
// default rounding mode, without a library call.
inline double roundHalfEvenSmall(double value)
{
    constexpr double shift = 0x1.8p52;
    return (value + shift) - shift;
}

// Rounded and saturated to the int range (NaN gives 0).
int roundToInt(double value);

// Rounded into 16 bits, or nothing when the result does not fit.
std::optional<std::int16_t> roundToInt16(double value);

// 16-bit signed channel arithmetic: each result is checked here, in one place,
// and an overflow gives nothing instead of a wrapped value.
std::optional<std::int16_t> toInt16(long long value);
std::optional<std::int16_t> add16(std::int16_t a, std::int16_t b);
std::optional<std::int16_t> sub16(std::int16_t a, std::int16_t b);
std::optional<std::int16_t> mul16(std::int16_t a, std::int16_t b);

// The lenient reading of a number typed by the user: blanks anywhere are
// ignored and the leading decimal number is taken, so "3 0" reads 30, "2.5"
// reads 2.5, "1e3" reads 1000 and "abc" or "" read 0. Full-width digits, as
// a Chinese input method types them, read like their ASCII forms.
double leadingNumber(const QString &text);

// leadingNumber rounded half to even and saturated to the int range.
int readNumber(const QString &text);

// The strict conversion: the whole text, blanks around it aside, must be one
// decimal number; anything else gives nothing.
std::optional<double> strictNumber(const QString &text);
