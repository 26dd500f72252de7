#include "numbers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

double roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which the program never changes
    // from its default of to-nearest with ties to even.
    return std::nearbyint(value);
}

int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

std::optional<std::int16_t> roundToInt16(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int16_t> toInt16(long long value)
{
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> add16(std::int16_t a, std::int16_t b)
{
    return toInt16(static_cast<long long>(a) + b);
}

std::optional<std::int16_t> sub16(std::int16_t a, std::int16_t b)
{
    return toInt16(static_cast<long long>(a) - b);
}

std::optional<std::int16_t> mul16(std::int16_t a, std::int16_t b)
{
    return toInt16(static_cast<long long>(a) * b);
}

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Collects the leading number of text, blanks skipped, into plain ASCII. Stops
// at the first character that cannot continue a decimal number.
std::string leadingNumberText(const QString &input)
{
    const QString text = input.normalized(QString::NormalizationForm_KC);
    std::string out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        out += static_cast<char>(text[i].unicode());
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (skipBlanks(); i < n; skipBlanks()) {
        const QChar c = text[i];
        if (isDigit(c)) {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        out += static_cast<char>(c.unicode());
        ++i;
    }
    if (!digits)
        return {};
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        while (j < n && isBlank(text[j]))
            ++j;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += static_cast<char>(text[j++].unicode());
        bool exponentDigits = false;
        for (; j < n; ++j) {
            if (isDigit(text[j])) {
                exponent += static_cast<char>(text[j].unicode());
                exponentDigits = true;
            } else if (!isBlank(text[j])) {
                break;
            }
        }
        if (exponentDigits)
            out += exponent;
    }
    return out;
}

double parseAscii(const std::string &text)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    return value;
}

} // namespace

double leadingNumber(const QString &text)
{
    const std::string number = leadingNumberText(text);
    return number.empty() ? 0.0 : parseAscii(number);
}

int readNumber(const QString &text)
{
    return roundToInt(leadingNumber(text));
}

std::optional<double> strictNumber(const QString &input)
{
    const QString text = input.normalized(QString::NormalizationForm_KC).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    std::string ascii;
    for (QChar c : text) {
        if (c.unicode() > 127)
            return std::nullopt;
        ascii += static_cast<char>(c.unicode());
    }
    // Accept only sign, digits, one point and an exponent: no hex, no "inf".
    std::size_t i = 0;
    if (ascii[i] == '+' || ascii[i] == '-')
        ++i;
    bool digits = false;
    while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
        ++i;
        digits = true;
    }
    if (i < ascii.size() && ascii[i] == '.') {
        ++i;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-'))
            ++i;
        bool exponentDigits = false;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) {
            ++i;
            exponentDigits = true;
        }
        if (!exponentDigits)
            return std::nullopt;
    }
    if (i != ascii.size())
        return std::nullopt;
    return parseAscii(ascii);
}
