// The matrix library as the program uses it: the plug-in bound from the
// test's own folder, reached through Matrix and its exceptions.

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "full_sentences.h"
#include "matrix/binding/library_classes.h"
#include "matrix/binding/matrix.h"
#include "matrix/binding/matrix_exceptions.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "quillmatrix/entrypoints.h"
#include "worked_example.h"

namespace {

struct Raised {
  QString className;  // empty when nothing was raised
  QString message;
};

template <typename Operation>
Raised RaisedBy(Operation&& operation) {
  try {
    operation();
  } catch (const fw::RuntimeException& e) {
    return {QString::fromLatin1(e.ClassName()), QString::fromStdString(e.Message())};
  }
  return {};
}

std::shared_ptr<Matrix> FromText(const std::string& text, int64_t count = 0) {
  auto m = std::make_shared<Matrix>();
  m->Constructor(count, count, text);
  return m;
}

std::vector<double> Elements(const Matrix& m) {
  std::vector<double> values;
  for (int64_t row = 0; row < NumRows(m); ++row) {
    for (int64_t column = 0; column < NumColumns(m); ++column) {
      values.push_back(m.Element(row, column));
    }
  }
  return values;
}

using test_support::kExample;

// Diagonal of the exact inverse of the worked example's matrix (rational
// arithmetic, rounded to 17 significant digits).
const double kExampleInverseDiagonal[] = {1.0960746826477734, 1.9212211357801976,
                                          1.5847069585295566, 1.9608015861186394,
                                          1.3717803128948685};

// What a refused value's message asks of the user.
const QString kWriteNumbers =
    QStringLiteral(". Write every value as a number with a decimal point, such as 0.25.");

#ifdef Q_OS_WIN
const QString kLibraryName = QStringLiteral("quillmatrix.dll");
#else
const QString kLibraryName = QStringLiteral("libquillmatrix.so");
#endif

// A call of the plug-in's own table that fails, as the message it leaves.
template <typename Call>
QString PluginMessage(Call&& call) {
  std::array<char, 1024> error{};
  const int code = call(BoundPluginEntrypoints(), error.data(), error.size());
  return code == QM_OK ? QString() : QString::fromUtf8(error.data());
}

// Restores the plug-in folder when a test that moved it ends, failed or not.
struct PluginDirectoryGuard {
  ~PluginDirectoryGuard() { SetPluginDirectory({}); }
};

}  // namespace

class tst_Matrix : public QObject {
  Q_OBJECT

 private slots:
  // The process starts unbound: operations must say so, not crash. Then the
  // plug-in is bound from the test's folder for everything that follows.
  void initTestCase() {
    QVERIFY(!PluginEntrypointsBound());
    Matrix m;
    const Raised raised = RaisedBy([&] { m.Constructor(1, 1, "1"); });
    QCOMPARE(raised.className, QStringLiteral("PluginException"));
    QCOMPARE(raised.message,
             QStringLiteral("The matrix library is not loaded, so no matrix can be made. Restart "
                            "the program; if this happens again, reinstall it."));
    QCOMPARE(RaisedBy([&] { NumRows(m); }).className, QStringLiteral("PluginException"));

    InitPluginEntrypoints();
    InitPluginEntrypoints();
    QVERIFY(PluginEntrypointsBound());
  }

  void workedExampleInverseDiagonal() {
    auto M = FromText(kExample, 5);
    QCOMPARE(NumRows(*M), 5);
    QCOMPARE(NumColumns(*M), 5);
    auto inverse = 1.0 / *M;
    QCOMPARE(NumRows(*inverse), 5);
    QCOMPARE(NumColumns(*inverse), 5);
    for (int i = 0; i < 5; ++i) {
      const double d = inverse->Element(i, i);
      QVERIFY2(std::abs(d - kExampleInverseDiagonal[i]) < 1e-12,
               qPrintable(QStringLiteral("d%1 = %2").arg(i).arg(d, 0, 'g', 17)));
    }
  }

  // The display Load Data writes: blank-separated fixed-width columns.
  void fixedWidthDisplayReadsLikeTabText() {
    const std::string display =
        "  1.0000  0.2000  0.2400  0.0000  0.0000\r\n"
        "  0.2000  1.0000  0.5800  0.5600  0.2100\r\n"
        "  0.2400  0.5800  1.0000  0.4100  0.2100\r\n"
        "  0.0000  0.5600  0.4100  1.0000  0.5100\r\n"
        "  0.0000  0.2100  0.2100  0.5100  1.0000\r\n";
    QCOMPARE(Elements(*FromText(display, 5)), Elements(*FromText(kExample, 5)));
  }

  void shapeComesFromText_data() {
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<qint64>("columns");
    QTest::newRow("3 x 4, count 3")
        << qint64(3) << QByteArray("1 2 3 4\n5 6 7 8\n9 0 1 2\n") << qint64(3) << qint64(4);
    QTest::newRow("4 x 4, count 5")
        << qint64(5) << QByteArray("1 0 0 0\n0 1 0 0\n0 0 1 0\n0 0 0 1\n") << qint64(4)
        << qint64(4);
    QTest::newRow("empty") << qint64(5) << QByteArray() << qint64(0) << qint64(0);
    QTest::newRow("only blanks and line ends")
        << qint64(3) << QByteArray(" \t\r\n\n  \r") << qint64(0) << qint64(0);
    QTest::newRow("blank lines, trailing TABs")
        << qint64(2) << QByteArray("\n1\t2\t\n\n \t\n3\t4\t\t\r\n\t\n") << qint64(2) << qint64(2);
    QTest::newRow("CR only, no final line end")
        << qint64(3) << QByteArray("1 2 3\r4 5 6\r7 8 9") << qint64(3) << qint64(3);
    QTest::newRow("mixed line ends")
        << qint64(4) << QByteArray("1 2\r\n3 4\r5 6\n7 8\r\n") << qint64(4) << qint64(2);
    QTest::newRow("single value") << qint64(1) << QByteArray("  0.5  ") << qint64(1) << qint64(1);
  }

  void shapeComesFromText() {
    QFETCH(qint64, count);
    QFETCH(QByteArray, text);
    QFETCH(qint64, rows);
    QFETCH(qint64, columns);
    auto m = FromText(text.toStdString(), count);
    QCOMPARE(NumRows(*m), rows);
    QCOMPARE(NumColumns(*m), columns);
  }

  void valuesAreDecimalNumbers() {
    const auto m = FromText("-0.5 +1.25E+1 .5 2. 1e-3 007 -0 4.9e-324");
    const std::vector<double> expected = {-0.5, 12.5, 0.5, 2.0, 0.001, 7.0, 0.0, 4.9e-324};
    QCOMPARE(Elements(*m), expected);
  }

  // Each value is the correctly rounded reading of its decimal, bit for bit:
  // also where going through an integer and a power of ten would round twice
  // (long digits, many decimals) or overflow the integer (twenty digits).
  void valuesAreCorrectlyRounded_data() {
    QTest::addColumn<QByteArray>("token");
    for (const char* token :
         {"0.5800", "-0.6000", "+7.", "-0", "9007199254740992", "900719925474099.3",
          "26.2002520470472091", "1234567890123456789", "18446744073709551617",
          "0.0000000000000000000001", "0.00000001802706121322241", "1e-5"}) {
      QTest::newRow(token) << QByteArray(token);
    }
  }

  void valuesAreCorrectlyRounded() {
    QFETCH(QByteArray, token);
    const char* first = token.constData() + (token.startsWith('+') ? 1 : 0);
    double expected = 0.0;
    QVERIFY(std::from_chars(first, token.constData() + token.size(), expected).ec == std::errc{});
    const double value = FromText(token.toStdString())->Element(0, 0);
    QCOMPARE(std::bit_cast<uint64_t>(value), std::bit_cast<uint64_t>(expected));
  }

  // Element and the inverse keep rows as rows: a transposition would only
  // show on a matrix that is not symmetric.
  void elementsAndInverseKeepRowOrder() {
    const auto m = FromText("1 2\n0 1\n");
    QCOMPARE(Elements(*m), (std::vector<double>{1, 2, 0, 1}));
    QCOMPARE(Elements(*m->Operator_DivideRight(3.0)), (std::vector<double>{3, -6, 0, 3}));
  }

  void parseErrors_data() {
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("exception");
    QTest::addColumn<QString>("message");
    const QString notANumber = QStringLiteral("BadArgumentException");
    QTest::newRow("letters") << qint64(2) << QByteArray("1 2\nx 4\n") << notANumber
                             << R"(Row 2, column 1 is not a number: "x")" + kWriteNumbers;
    QTest::newRow("decimal comma")
        << qint64(2) << QByteArray("1\t0,58\r\n0,58\t1\r\n") << notANumber
        << R"(Row 1, column 2 is not a number: "0,58")" + kWriteNumbers;
    QTest::newRow("nan") << qint64(2) << QByteArray("1 nan\nnan 1") << notANumber
                         << R"(Row 1, column 2 is not a number: "nan")" + kWriteNumbers;
    QTest::newRow("inf") << qint64(1) << QByteArray("-inf") << notANumber
                         << R"(Row 1, column 1 is not a number: "-inf")" + kWriteNumbers;
    QTest::newRow("two points") << qint64(1) << QByteArray("1.2.3") << notANumber
                                << R"(Row 1, column 1 is not a number: "1.2.3")" + kWriteNumbers;
    QTest::newRow("NA") << qint64(2) << QByteArray("1 0\n0 NA") << notANumber
                        << R"(Row 2, column 2 is not a number: "NA")" + kWriteNumbers;
    QTest::newRow("two signs") << qint64(2) << QByteArray("1 +-1") << notANumber
                               << R"(Row 1, column 2 is not a number: "+-1")" + kWriteNumbers;
    QTest::newRow("exponent without digits")
        << qint64(1) << QByteArray("1e") << notANumber
        << R"(Row 1, column 1 is not a number: "1e")" + kWriteNumbers;
    QTest::newRow("blank lines are not rows")
        << qint64(2) << QByteArray("1 2\n\n \n3 x") << notANumber
        << R"(Row 2, column 2 is not a number: "x")" + kWriteNumbers;
    QTest::newRow("long token cut") << qint64(1) << QByteArray(100, 'x') << notANumber
                                    << QStringLiteral("Row 1, column 1 is not a number: \"%1...\"")
                                               .arg(QString(40, QLatin1Char('x'))) +
                                           kWriteNumbers;
    // Byte 40 falls inside a two-byte character: the cut comes before it.
    QTest::newRow("long token cut at a character")
        << qint64(1) << QByteArray("x") + QString(30, QChar(0xE9)).toUtf8() << notANumber
        << QStringLiteral("Row 1, column 1 is not a number: \"x%1...\"")
                   .arg(QString(19, QChar(0xE9))) +
               kWriteNumbers;
    // Shown by the same rule as Load Data's message: C0, DEL and C1 as "?".
    QTest::newRow("control characters masked")
        << qint64(1)
        << QByteArray(
               "a\x01"
               "b\x7F"
               "c\xC2\x85"
               "d\xC3\xA9")
        << notANumber
        << QString::fromUtf8("Row 1, column 1 is not a number: \"a?b?c?d\u00e9\"") + kWriteNumbers;
    QTest::newRow("row too short")
        << qint64(3) << QByteArray("1 2 3\n4 5 6\n7 8\n") << QStringLiteral("RowColumnMismatch")
        << QStringLiteral(
               "Row 3 has 2 values, but row 1 has 3. Give every row the same number of values.");
    QTest::newRow("row too long")
        << qint64(2) << QByteArray("1 2\r\n3 4 5\r\n") << QStringLiteral("RowColumnMismatch")
        << QStringLiteral(
               "Row 2 has 3 values, but row 1 has 2. Give every row the same number of values.");
    QTest::newRow("one value")
        << qint64(2) << QByteArray("1 2\n3") << QStringLiteral("RowColumnMismatch")
        << QStringLiteral(
               "Row 2 has 1 value, but row 1 has 2. Give every row the same number of values.");
    QTest::newRow("overflow") << qint64(2) << QByteArray("1e999 1\n1 1")
                              << QStringLiteral("OverflowOrUnderflowException")
                              << R"(Row 1, column 1 is too large or too close to zero: "1e999". )"
                                 "Write a value between 1e-300 and 1e300 in size, or 0.";
    QTest::newRow("negative count")
        << qint64(-1) << QByteArray("1") << notANumber
        << QStringLiteral(
               "The number of rows and columns must not be negative, but they are -1 "
               "and -1. Give counts of 0 or more.");
  }

  void parseErrors() {
    QFETCH(qint64, count);
    QFETCH(QByteArray, text);
    QFETCH(QString, exception);
    QFETCH(QString, message);
    Matrix m;
    const Raised raised = RaisedBy([&] { m.Constructor(count, count, text.toStdString()); });
    QCOMPARE(raised.className, exception);
    QCOMPARE(raised.message, message);
  }

  void divisionErrors_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("exception");
    QTest::addColumn<QString>("message");
    const QString singular = QStringLiteral(
        "The matrix is singular (or too close to singular) and cannot be inverted. "
        "Check for a variable that is a copy or a sum of others.");
    const QString divideByZero = QStringLiteral("DivideByZeroException");
    QTest::newRow("singular") << QByteArray("1 2\n2 4") << 1.0 << divideByZero << singular;
    QTest::newRow("zero") << QByteArray("0 0\n0 0") << 1.0 << divideByZero << singular;
    QTest::newRow("dependent rows")
        << QByteArray("1 2 3\n4 5 6\n7 8 9") << 1.0 << divideByZero << singular;
    QTest::newRow("nearly singular")
        << QByteArray("1 1\n1 1.000000000000001") << 1.0 << divideByZero << singular;
    QTest::newRow("not square")
        << QByteArray("1 2 3\n4 5 6") << 1.0 << QStringLiteral("RowColumnMismatch")
        << QStringLiteral(
               "Only a square matrix can be inverted, but this one has 2 rows and 3 "
               "columns. Give the matrix as many rows as it has columns.");
    QTest::newRow("empty") << QByteArray() << 1.0 << QStringLiteral("BadArgumentException")
                           << QStringLiteral(
                                  "An empty matrix cannot be inverted. Enter the matrix's values "
                                  "first.");
    QTest::newRow("x is NaN") << QByteArray("1") << std::numeric_limits<double>::quiet_NaN()
                              << QStringLiteral("BadArgumentException")
                              << QStringLiteral(
                                     "The number divided by the matrix is not finite. Divide a "
                                     "finite number by it.");
    QTest::newRow("overflow") << QByteArray("1e-10 0\n0 1e-10") << 1e300
                              << QStringLiteral("OverflowOrUnderflowException")
                              << QStringLiteral(
                                     "The result of dividing by the matrix is too large for a "
                                     "number. Check the matrix for values that are far too small "
                                     "or far too large.");
  }

  void divisionErrors() {
    QFETCH(QByteArray, text);
    QFETCH(double, x);
    QFETCH(QString, exception);
    QFETCH(QString, message);
    const auto m = FromText(text.toStdString());
    const Raised raised = RaisedBy([&] { x / *m; });
    QCOMPARE(raised.className, exception);
    QCOMPARE(raised.message, message);
  }

  void elementOutOfRange_data() {
    QTest::addColumn<qint64>("row");
    QTest::addColumn<qint64>("column");
    QTest::newRow("row -1") << qint64(-1) << qint64(0);
    QTest::newRow("column -1") << qint64(0) << qint64(-1);
    QTest::newRow("row 2") << qint64(2) << qint64(0);
    QTest::newRow("column 3") << qint64(1) << qint64(3);
  }

  void elementOutOfRange() {
    QFETCH(qint64, row);
    QFETCH(qint64, column);
    const auto m = FromText("1 2 3\n4 5 6\n");
    const Raised raised = RaisedBy([&] { m->Element(row, column); });
    QCOMPARE(raised.className, QStringLiteral("BadEntryNumberException"));
    QCOMPARE(raised.message,
             QStringLiteral("Element (%1, %2) is outside the 2 x 3 matrix. Rows and columns are "
                            "counted from 0, so the last element is (1, 2).")
                 .arg(row)
                 .arg(column));
  }

  // One row for every message the matrix library and its binding raise: each
  // says what is wrong and then what the user can do.
  void everyMessageSaysWhatToDo_data() {
    QTest::addColumn<QString>("message");
    const auto row = [](const char* tag, const QString& message) { QTest::newRow(tag) << message; };
    const auto raised = [](auto&& operation) { return RaisedBy(operation).message; };
    const auto fromText = [](const char* text, int64_t count = 0) {
      return [=] { FromText(text, count); };
    };
    row("not a number", raised(fromText("1 x")));
    row("out of range", raised(fromText("1e999")));
    row("ragged rows", raised(fromText("1 2\n3")));
    row("negative count", raised(fromText("1", -1)));
    const auto singular = FromText("1 1\n1 1");
    row("singular", raised([&] { 1.0 / *singular; }));
    const auto wide = FromText("1 2");
    row("not square", raised([&] { 1.0 / *wide; }));
    const auto empty = FromText("");
    row("empty inverted", raised([&] { 1.0 / *empty; }));
    row("empty element", raised([&] { empty->Element(0, 0); }));
    row("x not finite", raised([&] { std::numeric_limits<double>::infinity() / *wide; }));
    const auto tiny = FromText("1e-10 0\n0 1e-10");
    row("overflow", raised([&] { 1e300 / *tiny; }));
    row("element outside", raised([&] { wide->Element(1, 0); }));
    row("no class", raised([] { MatrixLibraryClass("Quaternion"); }));
    row("no place for the result",
        PluginMessage([](const QmEntryPoints& library, char* error, size_t size) {
          return library.create_from_text(1, 1, "1", 1, nullptr, error, size);
        }));
    row("no matrix", PluginMessage([](const QmEntryPoints& library, char* error, size_t size) {
          QmMatrix* out = nullptr;
          return library.divide_right(nullptr, 1.0, &out, error, size);
        }));
    row("no text", PluginMessage([](const QmEntryPoints& library, char* error, size_t size) {
          QmMatrix* out = nullptr;
          return library.create_from_text(1, 1, nullptr, 1, &out, error, size);
        }));
    const QTemporaryDir emptyFolder;
    {
      const PluginDirectoryGuard restore;
      SetPluginDirectory(emptyFolder.path().toStdString());
      row("library missing", raised([] { InitPluginEntrypoints(); }));
      SetPluginDirectory(
          (QCoreApplication::applicationDirPath() + "/fake_plugins/wrong_abi").toStdString());
      row("library of another version", raised([] { InitPluginEntrypoints(); }));
      SetPluginDirectory(
          (QCoreApplication::applicationDirPath() + "/fake_plugins/odd_code").toStdString());
      InitPluginEntrypoints();
      row("unknown failure", raised(fromText("1")));
    }
    InitPluginEntrypoints();  // the real library again
  }

  void everyMessageSaysWhatToDo() {
    QFETCH(QString, message);
    QVERIFY2(test_support::SaysWhatIsWrongAndWhatToDo(message), qPrintable(message));
  }

  // Large texts must not take quadratic time; a slip shows as a timeout.
  void largeTexts() {
    std::string manyLines;
    for (int i = 0; i < 10000; ++i) {
      manyLines += "0.5\t\r\n";
    }
    const auto tall = FromText(manyLines);
    QCOMPARE(NumRows(*tall), 10000);
    QCOMPARE(NumColumns(*tall), 1);
    QCOMPARE(tall->Element(9999, 0), 0.5);

    std::string oneLine;
    for (int i = 0; i < 4'000'000; ++i) {
      oneLine += "0.25 ";
    }
    const auto wide = FromText(oneLine);
    QCOMPARE(NumRows(*wide), 1);
    QCOMPARE(NumColumns(*wide), 4'000'000);
    QCOMPARE(wide->Element(0, 3'999'999), 0.25);
  }

  void bindingFailures_data() {
    QTest::addColumn<QString>("folder");  // below the test's folder; empty: an empty folder
    QTest::addColumn<QString>("reason");  // empty: the library is missing
    QTest::newRow("no library") << QString() << QString();
    QTest::newRow("no entry point") << QStringLiteral("fake_plugins/no_entry_point")
                                    << QStringLiteral("quillmatrix_entrypoints");
    QTest::newRow("other interface version")
        << QStringLiteral("fake_plugins/wrong_abi")
        << QStringLiteral("it has interface version 2, but this program needs version 1");
  }

  // A failed binding names the library and the reason, and leaves the
  // binding already made in place.
  void bindingFailures() {
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    const auto before = FromText("2 0\n0 4");
    const QTemporaryDir emptyFolder;
    QVERIFY(emptyFolder.isValid());
    const QString directory = folder.isEmpty()
                                  ? emptyFolder.path()
                                  : QCoreApplication::applicationDirPath() + '/' + folder;
    QVERIFY(QDir(directory).exists());

    const PluginDirectoryGuard restore;
    SetPluginDirectory(directory.toStdString());
    const Raised raised = RaisedBy([] { InitPluginEntrypoints(); });
    QCOMPARE(raised.className, QStringLiteral("PluginException"));
    if (reason.isEmpty()) {
      // What is missing, where it was looked for, and what to do.
      QCOMPARE(raised.message, QStringLiteral("The matrix library %1 is missing: it was looked for "
                                              "in \"%2\". Install the program again, or put %1 "
                                              "back in that folder.")
                                   .arg(kLibraryName, directory));
    } else {
      QVERIFY2(raised.message.startsWith("The matrix library \"" + directory) &&
                   raised.message.contains(kLibraryName + "\" could not be loaded: ") &&
                   raised.message.endsWith(". Reinstall the program to restore the library."),
               qPrintable(raised.message));
      QVERIFY2(raised.message.contains(reason), qPrintable(raised.message));
    }

    QVERIFY(PluginEntrypointsBound());
    QCOMPARE(Elements(*(1.0 / *before)), (std::vector<double>{0.5, 0, 0, 0.25}));
  }
};

QTEST_GUILESS_MAIN(tst_Matrix)
#include "tst_matrix.moc"
