// The leading-number parse and the two number-to-text conversions.
#include "engine/numtext.h"

#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

using namespace enkin;

class TestNumText : public QObject {
    Q_OBJECT

private slots:
    // A decimal-comma process locale must change neither direction. The fuzz targets compare
    // both with the C library over arbitrary numbers and texts.
    void initTestCase()
    {
        for (const char *name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE"})
            if (std::setlocale(LC_ALL, name))
                break;
        struct CommaPoint : std::numpunct<char> {
            char do_decimal_point() const override { return ','; }
        };
        std::locale::global(std::locale(std::locale(), new CommaPoint));
    }
    void parse_data();
    void parse();
    void format_data();
    void format();
};

void TestNumText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("trailing letters") << "2.50abc" << 2.5;
    QTest::newRow("tab and line feed inside") << "\t1\n2 .\t5" << 12.5;
    QTest::newRow("exponent d with plus") << "1d+2" << 100.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    // Guards against summing &H/&O digits in a double, which rounds at every digit past 2^53.
    QTest::newRow("hex 2^57 + 24 rounds up") << "&H200000000000018" << 0x1.0000000000001p+57;
    QTest::newRow("hex 2^53 + 1 ties to even") << "&H20000000000001" << 0x1p+53;
    QTest::newRow("hex beyond the double range") << "&H1" + QString(256, '0') << DBL_MAX;
    QTest::newRow("octal 2^57 + 24 rounds up") << "&O10000000000000000030" << 0x1.0000000000001p+57;
    QTest::newRow("octal beyond the double range") << "&O2" + QString(341, '0') << DBL_MAX;
    QTest::newRow("ampersand not hex or octal") << "&X1" << 0.0;
    QTest::newRow("nan is not a number") << "nan" << 0.0;
    QTest::newRow("inf is not a number") << "inf" << 0.0;
    // Never infinite: beyond the double range the parse gives the largest double.
    QTest::newRow("overflow 1d400") << "1d400" << DBL_MAX;
    QTest::newRow("tiny mantissa, big exponent") << "0." + QString(5000, '0') + "1e5300" << 1e299;
}

void TestNumText::parse()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    // Exact: QCOMPARE forgives a few units in the last place of a double.
    const double actual = parseLeadingNumber(text.toStdString());
    QVERIFY2(actual == expected, qPrintable(QString::number(actual, 'g', 17)));
}

void TestNumText::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("general");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("ulp above 0.6") << 6.0 * 0.1 << "0.6";
    QTest::newRow("below plain range") << 0.00001 << "1E-05";
    QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds up into exponent form") << 999999999999999.9 << "1E+15";
    QTest::newRow("subnormal") << 1e-320 << "9.99988867182683E-321";
    QTest::newRow("largest double") << DBL_MAX << "1.79769313486232E+308";
    // Guards against taking the sign position from the sign bit, which gave "nan" without it.
    QTest::newRow("nan with the sign bit set")
        << std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0) << "nan";
    QTest::newRow("infinity") << inf << "inf";
    QTest::newRow("negative infinity") << -inf << "-inf";
    // The readouts show values cut to a number of decimals.
    QTest::newRow("cut, not rounded") << cutDecimals(0.0978364, 1000) << "0.097";
    QTest::newRow("cut negative moves away from zero") << cutDecimals(-0.0004, 1000) << "-0.001";
    QTest::newRow("cut keeps an exact value") << cutDecimals(0.098, 1000) << "0.098";
}

void TestNumText::format()
{
    QFETCH(double, value);
    QFETCH(QString, general);
    QCOMPARE(QString::fromStdString(formatGeneral(value)), general);
    // With a sign position: a blank before zero and positive numbers, "-" before negative ones.
    QCOMPARE(QString::fromStdString(formatSigned(value)), (value < 0 ? "" : " ") + general);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
