#pragma once
// A small test runner for the programs that are cross-built for Windows and
// run under Wine, where Qt Test is not available. A test is a function
// registered with CHECK_TEST; a table of cases runs in one test, each case
// under a CaseName so that a failure names its row. Ends with the line
// "N passed, N failed" and a non-zero status when any test failed.

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace check {

struct Test {
  const char* name;
  void (*body)();
};

inline std::vector<Test>& Tests() {
  static std::vector<Test> tests;
  return tests;
}
inline int& FailuresOfCurrentTest() {
  static int failures = 0;
  return failures;
}
inline std::vector<std::string>& CaseNames() {
  static std::vector<std::string> names;
  return names;
}

// The innermost case begun last, for a failure that ends the whole test.
inline std::string& LastCaseBegun() {
  static std::string name;
  return name;
}

inline bool Register(const char* name, void (*body)()) {
  Tests().push_back({name, body});
  return true;
}

// While it lives, failures are reported under this case's name.
class CaseName {
 public:
  explicit CaseName(std::string name) {
    LastCaseBegun() = name;
    CaseNames().push_back(std::move(name));
  }
  ~CaseName() { CaseNames().pop_back(); }
  CaseName(const CaseName&) = delete;
  CaseName& operator=(const CaseName&) = delete;
};

inline std::string Show(std::string_view text) {
  std::string shown = "\"";
  for (unsigned char c : text) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      shown += hex;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown + "\"";
}
inline std::string Show(const std::string& text) {
  return Show(std::string_view(text));
}
inline std::string Show(const char* text) {
  return Show(std::string_view(text));
}
inline std::string Show(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}
inline std::string Show(long long value) {
  return std::to_string(value);
}
inline std::string Show(long value) {
  return std::to_string(value);
}
inline std::string Show(int value) {
  return std::to_string(value);
}
inline std::string Show(unsigned long long value) {
  return std::to_string(value);
}
inline std::string Show(bool value) {
  return value ? "true" : "false";
}

inline void Fail(const char* file, int line, const std::string& what) {
  ++FailuresOfCurrentTest();
  std::string where;
  for (const std::string& name : CaseNames()) {
    where += " [" + name + "]";
  }
  std::printf("  %s:%d:%s %s\n", file, line, where.c_str(), what.c_str());
}

// Equal, for doubles bit for bit but for the NaN payload: -0 differs from +0.
inline bool Same(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}
template <typename A, typename B>
bool Same(const A& a, const B& b) {
  return a == b;
}

template <typename A, typename B>
void ExpectEqual(const A& actual, const B& expected, const char* text, const char* file, int line) {
  if (!Same(actual, expected)) {
    Fail(file, line, std::string(text) + ": got " + Show(actual) + ", expected " + Show(expected));
  }
}

inline std::string Within() {
  return LastCaseBegun().empty() ? std::string() : " (in case [" + LastCaseBegun() + "])";
}

// Runs every registered test, or only the one named `only`.
inline int RunAll(std::string_view only = {}) {
#ifdef _WIN32
  // LF, not CR LF: the closing line is read by the test driver.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  int passed = 0;
  int failed = 0;
  for (const Test& test : Tests()) {
    if (!only.empty() && only != test.name) {
      continue;
    }
    FailuresOfCurrentTest() = 0;
    LastCaseBegun().clear();
    try {
      test.body();
    } catch (const std::exception& e) {
      Fail(__FILE__, __LINE__, "unexpected exception: " + std::string(e.what()) + Within());
    } catch (...) {
      Fail(__FILE__, __LINE__, "unexpected exception" + Within());
    }
    const bool ok = FailuresOfCurrentTest() == 0;
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", test.name);
    (ok ? passed : failed)++;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace check

#define CHECK_TEST(name)                                                               \
  static void name();                                                                  \
  [[maybe_unused]] static const bool name##_registered = check::Register(#name, name); \
  static void name()

#define CHECK(condition) \
  ((condition) ? void() : check::Fail(__FILE__, __LINE__, "not true: " #condition))
#define CHECK_EQ(actual, expected) \
  check::ExpectEqual((actual), (expected), #actual, __FILE__, __LINE__)
// Expects the statement to raise an exception of the given type.
#define CHECK_THROWS(Type, statement)                                    \
  do {                                                                   \
    bool thrown_ = false;                                                \
    try {                                                                \
      statement;                                                         \
    } catch (const Type&) {                                              \
      thrown_ = true;                                                    \
    }                                                                    \
    if (!thrown_)                                                        \
      check::Fail(__FILE__, __LINE__, "no " #Type " from: " #statement); \
  } while (false)
