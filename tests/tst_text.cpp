// The framework's text and number helpers.

#include <QtTest>

#include <cmath>
#include <limits>

#include "framework/exceptions.h"
#include "framework/text.h"
#include "framework/visible_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr qint64 kInt64Min = std::numeric_limits<qint64>::min();

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QByteArray Bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}

// Exact equality, so that a value one ulp off fails; NaN equals NaN.
bool SameDouble(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

}  // namespace

class tst_Text : public QObject {
  Q_OBJECT

 private slots:
  void val_data();
  void val();
  void doubleToInt64_data();
  void doubleToInt64();
  void strOfInteger_data();
  void strOfInteger();
  void format_data();
  void format();
  void formatRejectsUnsupportedPattern_data();
  void formatRejectsUnsupportedPattern();
  void variantConversions();
  void nthField_data();
  void nthField();
  void len_data();
  void len();
  void left_data();
  void left();
  void mid_data();
  void mid();
  void chrAscRoundTrip_data();
  void chrAscRoundTrip();
  void chrAndAscReplaceInvalidCodes();
  void sqrt();
  void textCompare_data();
  void textCompare();
  void visibleText_data();
  void visibleText();
};

void tst_Text::val_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<double>("expected");
  QTest::newRow("empty") << QByteArray("") << 0.0;
  QTest::newRow("leading blanks") << QByteArray("  7") << 7.0;
  QTest::newRow("leading TAB and blank") << QByteArray("\t 7") << 7.0;
  QTest::newRow("fraction") << QByteArray("3.9") << 3.9;
  QTest::newRow("negative") << QByteArray("-0.5") << -0.5;
  QTest::newRow("explicit plus") << QByteArray("+2.5") << 2.5;
  QTest::newRow("99.5") << QByteArray("99.5") << 99.5;
  QTest::newRow("no number") << QByteArray("abc") << 0.0;
  QTest::newRow("exponent") << QByteArray("1e3") << 1000.0;
  QTest::newRow("signed exponent") << QByteArray("25E-2") << 0.25;
  QTest::newRow("trailing letter") << QByteArray("5x") << 5.0;
  QTest::newRow("number then text") << QByteArray("3.9abc") << 3.9;
  QTest::newRow("stops at blank") << QByteArray("7 8") << 7.0;
  QTest::newRow("point first") << QByteArray(".5") << 0.5;
  QTest::newRow("point last") << QByteArray("5.") << 5.0;
  QTest::newRow("exponent without digits") << QByteArray("1e+") << 1.0;
  QTest::newRow("sign alone") << QByteArray("-") << 0.0;
  QTest::newRow("blank after sign") << QByteArray("- 5") << 0.0;
  QTest::newRow("comma is not a point") << QByteArray("1,5") << 1.0;
  QTest::newRow("inf is text") << QByteArray("inf") << 0.0;
  QTest::newRow("hex is not read") << QByteArray("0x10") << 0.0;
  QTest::newRow("overflow") << QByteArray("1e400") << kInf;
  QTest::newRow("negative overflow") << QByteArray("-1e400") << -kInf;
  QTest::newRow("overflow by digits") << QByteArray(400, '9') << kInf;
  QTest::newRow("underflow") << QByteArray("1e-400") << 0.0;
  QTest::newRow("huge exponent of tiny mantissa")
      << QByteArray("0.0001e99999999999999999999") << kInf;
}

void tst_Text::val() {
  QFETCH(QByteArray, text);
  QFETCH(double, expected);
  const double actual = fw::Val(View(text));
  QVERIFY2(SameDouble(actual, expected),
           qPrintable(QStringLiteral("got %1, expected %2").arg(actual, 0, 'g', 17).arg(expected)));
}

void tst_Text::doubleToInt64_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<qint64>("expected");
  QTest::newRow("3.9") << 3.9 << qint64{3};
  QTest::newRow("99.5") << 99.5 << qint64{99};
  QTest::newRow("-0.5") << -0.5 << qint64{0};
  QTest::newRow("-3.9") << -3.9 << qint64{-3};
  QTest::newRow("largest below 2^63") << 9223372036854774784.0 << qint64{9223372036854774784};
  QTest::newRow("-2^63 fits") << -0x1p63 << kInt64Min;
  QTest::newRow("2^63") << 0x1p63 << kInt64Min;
  QTest::newRow("1e19") << 1e19 << kInt64Min;
  QTest::newRow("-1e19") << -1e19 << kInt64Min;
  QTest::newRow("NaN") << kNaN << kInt64Min;
  QTest::newRow("inf") << kInf << kInt64Min;
}

void tst_Text::doubleToInt64() {
  QFETCH(double, value);
  QFETCH(qint64, expected);
  QCOMPARE(fw::DoubleToInt64(value), expected);
}

void tst_Text::strOfInteger_data() {
  QTest::addColumn<qint64>("value");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("negative") << qint64{-5} << QByteArray("-5");
  QTest::newRow("zero") << qint64{0} << QByteArray("0");
  QTest::newRow("99") << qint64{99} << QByteArray("99");
  QTest::newRow("minimum") << kInt64Min << QByteArray("-9223372036854775808");
}

void tst_Text::strOfInteger() {
  QFETCH(qint64, value);
  QFETCH(QByteArray, expected);
  QCOMPARE(Bytes(fw::Str(int64_t{value})), expected);
}

void tst_Text::format_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QByteArray>("pattern");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("result") << 0.29612 << QByteArray("0.0000") << QByteArray("0.2961");
  QTest::newRow("matrix negative") << -0.25 << QByteArray("-0.0000") << QByteArray("-0.2500");
  QTest::newRow("matrix positive") << 0.25 << QByteArray("-0.0000") << QByteArray("0.2500");
  QTest::newRow("one") << 1.0 << QByteArray("0.0000") << QByteArray("1.0000");
  QTest::newRow("two integer digits") << -12.5 << QByteArray("-0.0000") << QByteArray("-12.5000");
  // Ties are decided by the binary value, not by the decimal text.
  QTest::newRow("0.00005 is above") << 0.00005 << QByteArray("0.0000") << QByteArray("0.0001");
  QTest::newRow("-0.00005 is below") << -0.00005 << QByteArray("-0.0000") << QByteArray("-0.0001");
  QTest::newRow("0.00025 is above") << 0.00025 << QByteArray("0.0000") << QByteArray("0.0003");
  QTest::newRow("0.00035 is below") << 0.00035 << QByteArray("0.0000") << QByteArray("0.0003");
  QTest::newRow("0.50005 is below") << 0.50005 << QByteArray("0.0000") << QByteArray("0.5000");
  QTest::newRow("carry into integer") << 0.99995 << QByteArray("0.0000") << QByteArray("1.0000");
  QTest::newRow("negative carry") << -0.99995 << QByteArray("-0.0000") << QByteArray("-1.0000");
  QTest::newRow("exact tie to even down") << 2.5 << QByteArray("0") << QByteArray("2");
  QTest::newRow("exact tie to even up") << 3.5 << QByteArray("0") << QByteArray("4");
  QTest::newRow("exact tie at .125")
      << 123456789.125 << QByteArray("0.00") << QByteArray("123456789.12");
  QTest::newRow("rounds to negative zero")
      << -0.00001 << QByteArray("-0.0000") << QByteArray("0.0000");
  QTest::newRow("negative zero") << -0.0 << QByteArray("-0.0000") << QByteArray("0.0000");
  QTest::newRow("zero") << 0.0 << QByteArray("0.0000") << QByteArray("0.0000");
  QTest::newRow("NaN") << kNaN << QByteArray("0.0000") << QByteArray("NaN");
  QTest::newRow("inf") << kInf << QByteArray("-0.0000") << QByteArray("Infinity");
  QTest::newRow("-inf") << -kInf << QByteArray("0.0000") << QByteArray("-Infinity");
  QTest::newRow("plus marker") << 0.25 << QByteArray("+0.00") << QByteArray("+0.25");
  QTest::newRow("plus marker negative") << -0.25 << QByteArray("+0.00") << QByteArray("-0.25");
  QTest::newRow("plus marker zero") << 0.0 << QByteArray("+0.00") << QByteArray("0.00");
  QTest::newRow("optional integer digit") << 0.5 << QByteArray("#.00") << QByteArray(".50");
  QTest::newRow("optional digit of zero") << 0.0 << QByteArray("#") << QByteArray("");
  QTest::newRow("minimum integer digits") << 5.0 << QByteArray("#000") << QByteArray("005");
  QTest::newRow("more digits than pattern") << 1234.0 << QByteArray("0") << QByteArray("1234");
  QTest::newRow("optional fraction") << 2.5 << QByteArray("0.0##") << QByteArray("2.5");
  QTest::newRow("optional fraction used") << 2.125 << QByteArray("0.0##") << QByteArray("2.125");
  QTest::newRow("optional fraction, point goes") << 2.0 << QByteArray("0.##") << QByteArray("2");
  QTest::newRow("fixed before optional") << 2.1 << QByteArray("0.00##") << QByteArray("2.10");
  QTest::newRow("largest double")
      << std::numeric_limits<double>::max() << QByteArray("0.00")
      << QByteArray(
             "17976931348623157081452742373170435679807056752584499659891747680315726078002853876"
             "05895586327668781715404589535143824642343213268894641827684675467035375169860499105"
             "76551282076245490090389328944075868508455133942304583236903222948165808559332123348"
             "274797826204144723168738177180919299881250404026184124858368.00");
}

void tst_Text::format() {
  QFETCH(double, value);
  QFETCH(QByteArray, pattern);
  QFETCH(QByteArray, expected);
  QCOMPARE(Bytes(fw::Format(value, View(pattern))), expected);
}

void tst_Text::formatRejectsUnsupportedPattern_data() {
  QTest::addColumn<QByteArray>("pattern");
  QTest::newRow("percent") << QByteArray("0.00%");
  QTest::newRow("thousands") << QByteArray("#,##0");
  QTest::newRow("two points") << QByteArray("0.0.0");
  QTest::newRow("trailing sign") << QByteArray("0-");
}

void tst_Text::formatRejectsUnsupportedPattern() {
  QFETCH(QByteArray, pattern);
  QVERIFY_THROWS_EXCEPTION(fw::UnsupportedFormatException, fw::Format(1.0, View(pattern)));
}

void tst_Text::variantConversions() {
  const fw::Variant empty;
  QVERIFY(empty.IsEmpty());
  QCOMPARE(empty.DoubleValue(), 0.0);
  QCOMPARE(Bytes(empty.TextValue()), QByteArray());

  const fw::Variant integer = 5;  // a plain int is an integer, not a double
  QVERIFY(integer.IsInteger());
  QCOMPARE(integer.DoubleValue(), 5.0);

  const fw::Variant number = 2.75;
  QVERIFY(number.IsDouble());
  QCOMPARE(number.IntegerValue(), int64_t{2});

  const fw::Variant text = "3.9abc";
  QVERIFY(text.IsText());
  QCOMPARE(Bytes(text.TextValue()), QByteArray("3.9abc"));
  QCOMPARE(text.DoubleValue(), 3.9);
  QCOMPARE(text.IntegerValue(), int64_t{3});

  QCOMPARE(Bytes(fw::Str(fw::Variant("0.29612"), "0.0000")), QByteArray("0.2961"));
  QCOMPARE(Bytes(fw::Str(fw::Variant(int64_t{1}), "0.0000")), QByteArray("1.0000"));
  QCOMPARE(Bytes(fw::Str(empty, "-0.0000")), QByteArray("0.0000"));
}

void tst_Text::nthField_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("separator");
  QTest::addColumn<qint64>("n");
  QTest::addColumn<QByteArray>("expected");
  const QByteArray tab("\t");
  QTest::newRow("first") << QByteArray("a\tb\tc") << tab << qint64{1} << QByteArray("a");
  QTest::newRow("middle") << QByteArray("a\tb\tc") << tab << qint64{2} << QByteArray("b");
  QTest::newRow("last") << QByteArray("a\tb\tc") << tab << qint64{3} << QByteArray("c");
  QTest::newRow("beyond last") << QByteArray("a\tb\tc") << tab << qint64{4} << QByteArray();
  QTest::newRow("zero") << QByteArray("a\tb") << tab << qint64{0} << QByteArray();
  QTest::newRow("negative") << QByteArray("a\tb") << tab << qint64{-1} << QByteArray();
  QTest::newRow("empty between TABs") << QByteArray("a\t\tc") << tab << qint64{2} << QByteArray();
  QTest::newRow("after empty field") << QByteArray("a\t\tc") << tab << qint64{3} << QByteArray("c");
  QTest::newRow("leading empty field") << QByteArray("\ta") << tab << qint64{2} << QByteArray("a");
  QTest::newRow("trailing empty field") << QByteArray("a\t") << tab << qint64{2} << QByteArray();
  QTest::newRow("no separator") << QByteArray("abc") << tab << qint64{1} << QByteArray("abc");
  QTest::newRow("no separator, second") << QByteArray("abc") << tab << qint64{2} << QByteArray();
  QTest::newRow("long separator") << QByteArray("a<>b<>c") << QByteArray("<>") << qint64{2}
                                  << QByteArray("b");
  QTest::newRow("half a separator")
      << QByteArray("a<b<>c") << QByteArray("<>") << qint64{1} << QByteArray("a<b");
  QTest::newRow("empty separator")
      << QByteArray("a\tb") << QByteArray() << qint64{1} << QByteArray();
  QTest::newRow("non-ASCII fields")
      << QByteArray("\xC3\xBC\t\xC3\xA9") << tab << qint64{2} << QByteArray("\xC3\xA9");
}

void tst_Text::nthField() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, separator);
  QFETCH(qint64, n);
  QFETCH(QByteArray, expected);
  QCOMPARE(Bytes(fw::NthField(View(text), View(separator), n)), expected);
}

// "Ünïcødé": seven characters, eleven bytes.
static const QByteArray kUnicode(
    "\xC3\x9Cn\xC3\xAF"
    "c\xC3\xB8"
    "d\xC3\xA9");
// A grinning face, four bytes, between two ASCII letters.
static const QByteArray kEmoji(
    "a\xF0\x9F\x98\x80"
    "b");

void tst_Text::len_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<qint64>("expected");
  QTest::newRow("empty") << QByteArray() << qint64{0};
  QTest::newRow("ASCII") << QByteArray("abc") << qint64{3};
  QTest::newRow("two-byte letters") << kUnicode << qint64{7};
  QTest::newRow("four-byte emoji") << kEmoji << qint64{3};
  QTest::newRow("stray bytes") << QByteArray("\xFF\xFE") << qint64{2};
  QTest::newRow("cut-off sequence") << QByteArray("a\xE2\x82") << qint64{3};
  QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << qint64{2};
  QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << qint64{3};
}

void tst_Text::len() {
  QFETCH(QByteArray, text);
  QFETCH(qint64, expected);
  QCOMPARE(fw::Len(View(text)), expected);
}

void tst_Text::left_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<qint64>("n");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("three") << kUnicode << qint64{3} << QByteArray("\xC3\x9Cn\xC3\xAF");
  QTest::newRow("zero") << kUnicode << qint64{0} << QByteArray();
  QTest::newRow("negative") << kUnicode << qint64{-1} << QByteArray();
  QTest::newRow("beyond end") << kUnicode << qint64{100} << kUnicode;
  QTest::newRow("emoji whole") << kEmoji << qint64{2} << QByteArray("a\xF0\x9F\x98\x80");
}

void tst_Text::left() {
  QFETCH(QByteArray, text);
  QFETCH(qint64, n);
  QFETCH(QByteArray, expected);
  QCOMPARE(Bytes(fw::Left(View(text), n)), expected);
}

void tst_Text::mid_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<qint64>("start");
  QTest::addColumn<qint64>("length");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("inside") << kUnicode << qint64{2} << qint64{3}
                          << QByteArray(
                                 "n\xC3\xAF"
                                 "c");
  QTest::newRow("rest") << kUnicode << qint64{5} << qint64{-1}
                        << QByteArray(
                               "\xC3\xB8"
                               "d\xC3\xA9");
  QTest::newRow("past end") << kUnicode << qint64{7} << qint64{5} << QByteArray("\xC3\xA9");
  QTest::newRow("start after end") << kUnicode << qint64{8} << qint64{1} << QByteArray();
  QTest::newRow("start below one") << kUnicode << qint64{0} << qint64{2} << QByteArray("\xC3\x9Cn");
  QTest::newRow("zero length") << kUnicode << qint64{3} << qint64{0} << QByteArray();
  QTest::newRow("the emoji") << kEmoji << qint64{2} << qint64{1} << QByteArray("\xF0\x9F\x98\x80");
}

void tst_Text::mid() {
  QFETCH(QByteArray, text);
  QFETCH(qint64, start);
  QFETCH(qint64, length);
  QFETCH(QByteArray, expected);
  QCOMPARE(Bytes(fw::Mid(View(text), start, length)), expected);
}

void tst_Text::chrAscRoundTrip_data() {
  QTest::addColumn<uint>("code");
  QTest::addColumn<QByteArray>("utf8");
  QTest::newRow("NUL") << 0u << QByteArray("\0", 1);
  QTest::newRow("backspace") << 8u << QByteArray("\x08");
  QTest::newRow("carriage return") << 13u << QByteArray("\r");
  QTest::newRow("delete") << 127u << QByteArray("\x7F");
  QTest::newRow("A") << uint{'A'} << QByteArray("A");
  QTest::newRow("e acute") << 0xE9u << QByteArray("\xC3\xA9");
  QTest::newRow("euro") << 0x20ACu << QByteArray("\xE2\x82\xAC");
  QTest::newRow("emoji") << 0x1F600u << QByteArray("\xF0\x9F\x98\x80");
  QTest::newRow("last code point") << 0x10FFFFu << QByteArray("\xF4\x8F\xBF\xBF");
}

void tst_Text::chrAscRoundTrip() {
  QFETCH(uint, code);
  QFETCH(QByteArray, utf8);
  const std::string text = fw::Chr(code);
  QCOMPARE(Bytes(text), utf8);
  QCOMPARE(fw::Len(text), int64_t{1});
  QCOMPARE(fw::Asc(text), code);
}

void tst_Text::chrAndAscReplaceInvalidCodes() {
  const QByteArray replacement("\xEF\xBF\xBD");
  QCOMPARE(Bytes(fw::Chr(0xD800)), replacement);
  QCOMPARE(Bytes(fw::Chr(0xDFFF)), replacement);
  QCOMPARE(Bytes(fw::Chr(0x110000)), replacement);
  QCOMPARE(fw::Asc(""), 0u);
  QCOMPARE(fw::Asc("\xC3\xA9!"), 0xE9u);
  QCOMPARE(fw::Asc("\xFF"), 0xFFFDu);
  QCOMPARE(fw::Asc("\xC3"), 0xFFFDu);  // cut off
}

void tst_Text::sqrt() {
  QCOMPARE(fw::Sqrt(0.25), 0.5);
  QCOMPARE(fw::Sqrt(0.0), 0.0);
  QVERIFY(std::isnan(fw::Sqrt(-1.0)));
  QVERIFY(std::isnan(fw::Sqrt(kNaN)));
}

void tst_Text::textCompare_data() {
  QTest::addColumn<QByteArray>("a");
  QTest::addColumn<QByteArray>("b");
  QTest::addColumn<int>("expected");
  QTest::newRow("case of a letter") << QByteArray("a") << QByteArray("A") << 0;
  QTest::newRow("case of a word") << QByteArray("Matrix") << QByteArray("mATRIX") << 0;
  QTest::newRow("0 before 5") << QByteArray("0") << QByteArray("5") << -1;
  QTest::newRow("5 before 9") << QByteArray("5") << QByteArray("9") << -1;
  QTest::newRow("empty before 0") << QByteArray() << QByteArray("0") << -1;
  QTest::newRow("both empty") << QByteArray() << QByteArray() << 0;
  QTest::newRow("prefix first") << QByteArray("ab") << QByteArray("ABC") << -1;
  QTest::newRow("Z after a") << QByteArray("Z") << QByteArray("a") << 1;
  QTest::newRow("letters fold to lower case") << QByteArray("_") << QByteArray("A") << -1;
  QTest::newRow("only ASCII folds") << QByteArray("\xC3\xA9") << QByteArray("\xC3\x89") << 1;
  QTest::newRow("stray byte after code points")
      << QByteArray("\xFF") << QByteArray("\xF4\x8F\xBF\xBF") << 1;
  QTest::newRow("stray bytes differ") << QByteArray("\xFE") << QByteArray("\xFF") << -1;
}

void tst_Text::textCompare() {
  QFETCH(QByteArray, a);
  QFETCH(QByteArray, b);
  QFETCH(int, expected);
  QCOMPARE(fw::TextCompare(View(a), View(b)), expected);
  QCOMPARE(fw::TextCompare(View(b), View(a)), -expected);
}

// What messages show of a file's or the user's text; the Load Data message
// and the matrix parser's both show text through this rule.
void tst_Text::visibleText_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("shown");
  QTest::newRow("printable kept") << QByteArray("0.58 x\xC3\xA9") << QByteArray("0.58 x\xC3\xA9");
  QTest::newRow("C0 and DEL") << QByteArray("\x01\t\r\n\x1F\x7F") << QByteArray("??????");
  QTest::newRow("C1 from U+0080 to U+009F") << QByteArray(
                                                   "a\xC2\x80"
                                                   "b\xC2\x85"
                                                   "c\xC2\x9F")
                                            << QByteArray("a?b?c?");
  QTest::newRow("U+00A0 is no control") << QByteArray("\xC2\xA0") << QByteArray("\xC2\xA0");
  QTest::newRow("a cut-off C2 kept") << QByteArray("a\xC2") << QByteArray("a\xC2");
}

void tst_Text::visibleText() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, shown);
  QCOMPARE(Bytes(fw::VisibleText(View(text))), shown);
}

QTEST_APPLESS_MAIN(tst_Text)
#include "tst_text.moc"
