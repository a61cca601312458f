// The framework's number helpers as the MinGW build compiles them, run under
// Wine: the parts that lean on the C and C++ run-time libraries (number
// parsing and formatting, the locale) are the ones most likely to differ from
// the Linux build.

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <string>

#include "check.h"
#include "framework/exceptions.h"
#include "framework/text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ValCase {
  const char* text;
  double expected;
};
const ValCase kValCases[] = {
    {"", 0.0},
    {" \t7", 7.0},
    {"3.9abc", 3.9},
    {"-0.5", -0.5},
    {"+2.5", 2.5},
    {".5", 0.5},
    {"5.", 5.0},
    {"1e3", 1000.0},
    {"25E-2", 0.25},
    {"1e+", 1.0},
    {"1,5", 1.0},
    {"-0", -0.0},
    {"inf", 0.0},
    {"nan", 0.0},
    {"0x10", 0.0},
    {"1e400", kInf},
    {"-1e400", -kInf},
    {"1e-400", 0.0},
    {"4.9406564584124654e-324", 4.9406564584124654e-324},
    {"2.2250738585072011e-308", 2.2250738585072011e-308},
    {"0.1", 0.1},
    {"0.30000000000000004", 0.30000000000000004},
    {"9007199254740993", 9007199254740992.0},
    {"123456789012345678901234567890", 1.2345678901234568e29},
    {"1.7976931348623157e308", 1.7976931348623157e308},
    {"0.0001e99999999999999999999", kInf},
};

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};
const FormatCase kFormatCases[] = {
    {0.29612, "0.0000", "0.2961"},
    {-0.25, "-0.0000", "-0.2500"},
    {0.25, "-0.0000", "0.2500"},
    {-12.5, "-0.0000", "-12.5000"},
    {0.00005, "0.0000", "0.0001"},
    {0.00035, "0.0000", "0.0003"},
    {0.50005, "0.0000", "0.5000"},
    {0.99995, "0.0000", "1.0000"},
    {-0.99995, "-0.0000", "-1.0000"},
    {2.5, "0", "2"},
    {3.5, "0", "4"},
    {-0.00001, "0.0000", "0.0000"},
    {-0.0, "-0.0000", "0.0000"},
    {kNaN, "0.0000", "NaN"},
    {kInf, "-0.0000", "Infinity"},
    {-kInf, "0.0000", "-Infinity"},
    {0.25, "+0.00", "+0.25"},
    {0.5, "#.00", ".50"},
    {5.0, "#000", "005"},
    {2.5, "0.0##", "2.5"},
    {2.0, "0.##", "2"},
    {1e22, "0", "10000000000000000000000"},
    {1.7976931348623157e308, "0",
     "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
     "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
     "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
     "168738177180919299881250404026184124858368"},
    {4.9406564584124654e-324, "0.0000", "0.0000"},
};

// The worked example's results, through Format as Calculate uses it.
const FormatCase kResultCases[] = {
    {0.29612, "0.0000", "0.2961"}, {0.08769, "0.0000", "0.0877"}, {0.69245, "0.0000", "0.6925"},
    {0.47949, "0.0000", "0.4795"}, {0.6074, "0.0000", "0.6074"},  {0.36897, "0.0000", "0.3690"},
};

void CheckValAndFormat() {
  for (const ValCase& c : kValCases) {
    check::CaseName name(std::string("Val ") + check::Show(c.text));
    CHECK_EQ(fw::Val(c.text), c.expected);
  }
  for (const FormatCase& c : kFormatCases) {
    check::CaseName name("Format " + check::Show(c.value) + " " + c.pattern);
    CHECK_EQ(fw::Format(c.value, c.pattern), std::string(c.expected));
  }
  for (const FormatCase& c : kResultCases) {
    check::CaseName name("result " + check::Show(c.value));
    CHECK_EQ(fw::Format(c.value, c.pattern), std::string(c.expected));
  }
  CHECK_EQ(fw::Str(int64_t{-5}), std::string("-5"));
  CHECK_EQ(fw::Str(std::numeric_limits<int64_t>::min()), std::string("-9223372036854775808"));
  CHECK_EQ(fw::Str(fw::Variant("0.5"), "-0.0000"), std::string("0.5000"));
  CHECK_EQ(fw::Str(fw::Variant(int64_t{-3}), "0.00"), std::string("-3.00"));
  CHECK_EQ(fw::Variant("3.9").IntegerValue(), int64_t{3});
  CHECK_EQ(fw::DoubleToInt64(kNaN), std::numeric_limits<int64_t>::min());
  CHECK_EQ(fw::DoubleToInt64(0x1p63), std::numeric_limits<int64_t>::min());
  CHECK_THROWS(fw::UnsupportedFormatException, fw::Format(1.0, "#,##0"));
}

}  // namespace

CHECK_TEST(numbersInTheClassicLocale) {
  CheckValAndFormat();
}

// A user whose Windows writes decimal commas: neither the C locale nor the
// C++ global locale may change what the program reads or writes.
CHECK_TEST(numbersUnderALocaleWithDecimalComma) {
  const char* names[] = {"German_Germany.1252", "de-DE", "German"};
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name)) {
      chosen = name;
      break;
    }
  }
  CHECK(chosen != nullptr);
  if (!chosen) {
    return;
  }
  check::CaseName name(std::string("locale ") + chosen);
  CHECK_EQ(std::string(std::localeconv()->decimal_point), std::string(","));
  CheckValAndFormat();
  std::setlocale(LC_ALL, "C");
}

int main() {
  return check::RunAll();
}
