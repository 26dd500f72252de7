#include "testmain.h"

#include "core/colour.h"
#include "core/numbers.h"
#include "core/random.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void composeClamps_data();
    void composeClamps();
    void splitColour();
    void systemColoursFollowThePalette();
    void roundHalfEven_data();
    void roundHalfEven();
    void roundToIntSaturates();
    void leadingNumber_data();
    void leadingNumber();
    void strictNumber_data();
    void strictNumber();
    void sixteenBitOverflow_data();
    void sixteenBitOverflow();
    void randomIsRepeatableAndInRange();
    void randomFillMatchesEachDraw_data();
    void randomFillMatchesEachDraw();
};

void TestHelpers::composeClamps_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<uint>("expected");
    QTest::newRow("plain") << 1 << 2 << 3 << 0x030201u;
    QTest::newRow("white") << 255 << 255 << 255 << 0xFFFFFFu;
    QTest::newRow("red above 255") << 300 << 0 << 0 << 0x0000FFu;
    QTest::newRow("all above 255") << 256 << 1000 << 65536 << 0xFFFFFFu;
    QTest::newRow("below 0") << -5 << 10 << 0 << 0x000A00u;
}

void TestHelpers::composeClamps()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(uint, expected);
    QCOMPARE(rgbColour(red, green, blue), expected);
}

void TestHelpers::splitColour()
{
    QCOMPARE(::splitColour(rgbColour(111, 49, 152)), (ColourChannels{111, 49, 152}));
    QCOMPARE(toQRgb(rgbColour(1, 2, 3)), qRgb(1, 2, 3));
    QCOMPARE(fromQRgb(qRgb(250, 10, 100)), rgbColour(250, 10, 100));
}

void TestHelpers::systemColoursFollowThePalette()
{
    QVERIFY(isSystemColour(ButtonFace));
    QVERIFY(!isSystemColour(NoColour));
    QVERIFY(!isSystemColour(0x00FFFFFF));
    const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    QCOMPARE(toQRgb(ButtonFace), face.rgb());
    const QColor shadow = QGuiApplication::palette().color(QPalette::Active, QPalette::Dark);
    QCOMPARE(resolveColour(ButtonShadow), fromQRgb(shadow.rgb()));
}

void TestHelpers::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("-7.6") << -7.6 << -8;
}

void TestHelpers::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(roundToInt(value), expected);
    QCOMPARE(::roundHalfEven(value), static_cast<double>(expected));
}

void TestHelpers::roundToIntSaturates()
{
    QCOMPARE(roundToInt(1e300), std::numeric_limits<int>::max());
    QCOMPARE(roundToInt(-1e300), std::numeric_limits<int>::min());
    QCOMPARE(roundToInt(std::nan("")), 0);
    QVERIFY(!roundToInt16(32767.5).has_value());
    QCOMPARE(static_cast<int>(*roundToInt16(32766.5)), 32766);
    QCOMPARE(static_cast<int>(*roundToInt16(-32768.4)), -32768);
}

void TestHelpers::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("plain") << "200" << 200.0 << 200;
    QTest::newRow("blank inside") << "3 0" << 30.0 << 30;
    QTest::newRow("blanks around") << "  42  " << 42.0 << 42;
    QTest::newRow("letters") << "abc" << 0.0 << 0;
    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("trailing letters") << "12px" << 12.0 << 12;
    QTest::newRow("tie to even") << "2.5" << 2.5 << 2;
    QTest::newRow("half") << "0.5" << 0.5 << 0;
    QTest::newRow("one and a half") << "1.5" << 1.5 << 2;
    QTest::newRow("exponent") << "1e3" << 1000.0 << 1000;
    QTest::newRow("exponent with sign") << "25E-1" << 2.5 << 2;
    QTest::newRow("dangling exponent") << "7e" << 7.0 << 7;
    QTest::newRow("negative") << "-3" << -3.0 << -3;
    QTest::newRow("leading point") << ".75" << 0.75 << 1;
    QTest::newRow("second point stops") << "1.2.3" << 1.2 << 1;
    QTest::newRow("full-width digits") << QString::fromUtf8("３０") << 30.0 << 30;
    QTest::newRow("sign alone") << "-" << 0.0 << 0;
    QTest::newRow("huge") << "1e999" << std::numeric_limits<double>::max()
                          << std::numeric_limits<int>::max();
}

void TestHelpers::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(::leadingNumber(text), value);
    QCOMPARE(readNumber(text), rounded);
}

void TestHelpers::strictNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("real") << " 0.5 " << true << 0.5;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("negative") << "-2.25" << true << -2.25;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("trailing letters") << "12px" << false << 0.0;
    QTest::newRow("blank inside") << "3 0" << false << 0.0;
    QTest::newRow("bad exponent") << "1e" << false << 0.0;
    QTest::newRow("infinity word") << "inf" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
}

void TestHelpers::strictNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> result = ::strictNumber(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TestHelpers::sixteenBitOverflow_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<char>("op");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("result");
    QTest::newRow("add fits") << 32000 << 767 << '+' << true << 32767;
    QTest::newRow("add overflows") << 32000 << 768 << '+' << false << 0;
    QTest::newRow("sub fits") << -32000 << 768 << '-' << true << -32768;
    QTest::newRow("sub overflows") << -32000 << 769 << '-' << false << 0;
    QTest::newRow("mul fits") << 181 << 181 << '*' << true << 32761;
    QTest::newRow("mul overflows") << 182 << 181 << '*' << false << 0;
    QTest::newRow("mul negative") << -256 << 128 << '*' << true << -32768;
}

void TestHelpers::sixteenBitOverflow()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(char, op);
    QFETCH(bool, fits);
    QFETCH(int, result);
    const auto x = static_cast<std::int16_t>(a), y = static_cast<std::int16_t>(b);
    const std::optional<std::int16_t> r = op == '+'   ? add16(x, y)
                                          : op == '-' ? sub16(x, y)
                                                      : mul16(x, y);
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(static_cast<int>(*r), result);
}

void TestHelpers::randomIsRepeatableAndInRange()
{
    RandomSource a, b;
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.next();
        QCOMPARE(x, b.next());
        QVERIFY(x >= 0.0 && x < 1.0);
        sum += x;
    }
    // A uniform source averages close to one half.
    QVERIFY(std::abs(sum / 10000 - 0.5) < 0.02);
    a.reseed();
    RandomSource fresh;
    QCOMPARE(a.next(), fresh.next());
}

void TestHelpers::randomFillMatchesEachDraw_data()
{
    QTest::addColumn<RandomSource::FillPath>("path");
    QTest::newRow("plain") << RandomSource::FillPath::Plain;
    QTest::newRow("avx2") << RandomSource::FillPath::Avx2;
    QTest::newRow("avx512") << RandomSource::FillPath::Avx512;
}

void TestHelpers::randomFillMatchesEachDraw()
{
    QFETCH(RandomSource::FillPath, path);
    if (!RandomSource::canFillWith(path))
        QSKIP("This processor has no such vector unit.");
    // Steps of the noise and diffuse filters, counts that end inside a
    // vector, states that wrap around.
    const std::uint64_t steps[] = {RandomSource::Step, 3 * 6000 * RandomSource::Step,
                                   0xFFFFFFFFFFFFFFFFull};
    const std::uint64_t starts[] = {RandomSource::DefaultSeed, 0, 0xFFFFFFFFFFFFFFF0ull};
    double drawn[259];
    for (const std::uint64_t step : steps) {
        for (const std::uint64_t start : starts) {
            for (const std::size_t count : {std::size_t(0), std::size_t(3), std::size_t(259)}) {
                std::fill(std::begin(drawn), std::end(drawn), -1.0);
                RandomSource::fillWith(path, drawn, count, start, step);
                // Bit for bit: QCOMPARE on reals would allow a little.
                for (std::size_t i = 0; i < count; ++i)
                    QCOMPARE(std::bit_cast<std::uint64_t>(drawn[i]),
                             std::bit_cast<std::uint64_t>(RandomSource::valueAt(start + i * step)));
                if (count < std::size(drawn))
                    QCOMPARE(drawn[count], -1.0);
            }
        }
    }
}

KALVO_TEST(TestHelpers)
#include "tst_helpers.moc"
