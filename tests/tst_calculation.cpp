// The calculation behind Calculate, without a window: the count rule, the
// checks of the matrix text, its size, its shape and its inverse's diagonal,
// and the result lines from that diagonal.

#include <QtTest>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "analysis/calculation.h"
#include "analysis/variable_count.h"

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

QString Lines(const std::vector<double>& diagonal) {
  const Results results = ResultsFromDiagonal(diagonal);
  std::string text;
  for (size_t k = 0; k < results.r.size(); ++k) {
    text += ResultLine(results.r[k], results.smc[k]);
  }
  return QString::fromStdString(text);
}

QString Message(const std::optional<std::string>& message) {
  return message ? QString::fromStdString(*message) : QString();
}

}  // namespace

class tst_Calculation : public QObject {
  Q_OBJECT

 private slots:
  void countRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << qint64(0) << false;
    QTest::newRow("2") << "2" << qint64(2) << false;
    QTest::newRow("3") << "3" << qint64(3) << true;
    QTest::newRow("3.9 truncates") << "3.9" << qint64(3) << true;
    QTest::newRow("99") << "99" << qint64(99) << true;
    QTest::newRow("99.5 truncates") << "99.5" << qint64(99) << true;
    QTest::newRow("100") << "100" << qint64(100) << false;
    QTest::newRow("-0.5 toward zero") << "-0.5" << qint64(0) << false;
    QTest::newRow("no number") << "abc" << qint64(0) << false;
    QTest::newRow("beyond 64 bits")
        << "1e30" << qint64(std::numeric_limits<int64_t>::min()) << false;
  }
  void countRule() {
    QFETCH(QString, text);
    QFETCH(qint64, count);
    QFETCH(bool, valid);
    QCOMPARE(VariableCount(text.toStdString()), count);
    QCOMPARE(IsValidVariableCount(VariableCount(text.toStdString())), valid);
  }

  void textAndSizeChecks_data() {
    QTest::addColumn<QString>("message");  // what the check says; empty: it passes
    QTest::addColumn<QString>("expected");
    const QString incomplete =
        "Correlation data seems to be incomplete. Reload the correlation data.";
    const std::string example25(25, '1');
    QTest::newRow("24 characters for 5")
        << Message(IncompleteMatrixText(5, example25.substr(0, 24))) << incomplete;
    QTest::newRow("25 characters for 5") << Message(IncompleteMatrixText(5, example25)) << "";
    // Characters are counted, not bytes: 8 characters in 13 bytes.
    QTest::newRow("8 characters for 3")
        << Message(IncompleteMatrixText(3, "\u00e9\u00e9\u00e9\u00e9\u00e9abc")) << incomplete;
    QTest::newRow("empty for 3") << Message(IncompleteMatrixText(3, "")) << incomplete;
    QTest::newRow("3 x 4") << Message(MatrixSizeProblem(3, 4, 3))
                           << "Check data. Number of rows and columns do not match.";
    // The square check comes first, even when the rows match the count.
    QTest::newRow("5 x 4 for 5") << Message(MatrixSizeProblem(5, 4, 5))
                                 << "Check data. Number of rows and columns do not match.";
    QTest::newRow("4 x 4 for 5") << Message(MatrixSizeProblem(4, 4, 5))
                                 << "Check data. Are there 5 variables?";
    QTest::newRow("99 x 99 for 99") << Message(MatrixSizeProblem(99, 99, 99)) << "";
  }
  void textAndSizeChecks() {
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(message, expected);
  }

  void resultLines_data() {
    QTest::addColumn<std::vector<double>>("diagonal");
    QTest::addColumn<QString>("lines");
    QTest::newRow("uncorrelated: d = 1")
        << std::vector<double>{1.0, 1.0, 1.0}
        << "0.0000\t0.0000\r\n0.0000\t0.0000\r\n0.0000\t0.0000\r\n";
    // SMC 0.49 and R 0.7; then SMC 0.5, whose root rounds up.
    QTest::newRow("in variable order") << std::vector<double>{1.0 / 0.51, 2.0, 4.0}
                                       << "0.7000\t0.4900\r\n0.7071\t0.5000\r\n0.8660\t0.7500\r\n";
    QTest::newRow("near 1") << std::vector<double>{1e8} << "1.0000\t1.0000\r\n";
    // Uncorrelated, but the inverse left d a few units in the last place
    // below 1: still R and SMC 0, not "NaN".
    QTest::newRow("d = 1 - 1e-15") << std::vector<double>{1.0 - 1e-15} << "0.0000\t0.0000\r\n";
  }
  // The shape of a correlation matrix, on the worked example with one
  // element changed; the tolerance is 0.0001 either way.
  void correlationShape_data() {
    QTest::addColumn<int>("row");  // from 1
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");
    const QString asymmetric =
        "The matrix is not symmetric: row 2, column 3 holds 0.5800 but row "
        "3, column 2 holds %1. Check the data.";
    const QString diagonal =
        "The diagonal of a correlation matrix holds 1, but row %1, column "
        "%1 holds %2. A covariance matrix must first be turned into "
        "correlations.";
    QTest::newRow("unchanged") << 1 << 1 << 1.0 << "";
    QTest::newRow("typed in one triangle") << 3 << 2 << 0.85 << asymmetric.arg("0.8500");
    QTest::newRow("off by 0.0002") << 3 << 2 << 0.5802 << asymmetric.arg("0.5802");
    QTest::newRow("off by 0.0001") << 3 << 2 << 0.5801 << "";
    QTest::newRow("off by 0.00005") << 3 << 2 << 0.58005 << "";
    // The first offending place, row by row, is named from the upper triangle.
    QTest::newRow("lower triangle first in reading order")
        << 2 << 1 << 0.3
        << "The matrix is not symmetric: row 1, column 2 holds 0.2000 but row 2, column 1 "
           "holds 0.3000. Check the data.";
    // The last column is checked too, down to its last off-diagonal pair.
    QTest::newRow("last column, first row")
        << 1 << 5 << 0.3
        << "The matrix is not symmetric: row 1, column 5 holds 0.3000 but row 5, column 1 "
           "holds 0.0000. Check the data.";
    QTest::newRow("last pair") << 5 << 4 << 0.6
                               << "The matrix is not symmetric: row 4, column 5 holds 0.5100 but "
                                  "row 5, column 4 holds 0.6000. Check the data.";
    QTest::newRow("covariance") << 3 << 3 << 2.5 << diagonal.arg(3).arg("2.5000");
    QTest::newRow("diagonal 0.99995") << 3 << 3 << 0.99995 << "";
    QTest::newRow("diagonal 1.0002") << 5 << 5 << 1.0002 << diagonal.arg(5).arg("1.0002");
    QTest::newRow("diagonal -1") << 1 << 1 << -1.0 << diagonal.arg(1).arg("-1.0000");
  }
  void correlationShape() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(double, value);
    QFETCH(QString, message);
    std::vector<double> values = {1.00, 0.20, 0.24, 0.00, 0.00,  //
                                  0.20, 1.00, 0.58, 0.56, 0.21,  //
                                  0.24, 0.58, 1.00, 0.41, 0.21,  //
                                  0.00, 0.56, 0.41, 1.00, 0.51,  //
                                  0.00, 0.21, 0.21, 0.51, 1.00};
    values[static_cast<size_t>((row - 1) * 5 + column - 1)] = value;
    QCOMPARE(Message(CorrelationShapeProblem(values, 5)), message);
  }

  void definiteness_data() {
    QTest::addColumn<std::vector<double>>("diagonal");
    QTest::addColumn<QString>("variables");  // those named; empty: no message
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("at least 1") << std::vector<double>{1.0, 1.5, 1e6} << "";
    QTest::newRow("1 - 1e-15 counts as 1") << std::vector<double>{1.0 - 1e-15, 2.0} << "";
    QTest::newRow("1 - 1e-13 does not") << std::vector<double>{2.0, 1.0 - 1e-13} << "variable 2";
    QTest::newRow("0.999996") << std::vector<double>{1.2, 0.999996, 1.5} << "variable 2";
    QTest::newRow("between 0 and 1, and negative")
        << std::vector<double>{0.5, 2.0, -3.0} << "variables 1 and 3";
    QTest::newRow("not finite, and 0")
        << std::vector<double>{nan, inf, 0.0, 1.0} << "variables 1, 2 and 3";
    QTest::newRow("ten named") << std::vector<double>(10, -1.0)
                               << "variables 1, 2, 3, 4, 5, 6, 7, 8, 9 and 10";
    QTest::newRow("the first ten and the rest counted")
        << std::vector<double>(12, -1.0) << "variables 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more";
  }
  void definiteness() {
    QFETCH(std::vector<double>, diagonal);
    QFETCH(QString, variables);
    const QString message =
        variables.isEmpty()
            ? QString()
            : "The matrix is not positive definite, so it is not a correlation matrix of real "
              "data: the SMC of " +
                  variables +
                  " would lie outside 0 to 1. Check the data (a typing error, or correlations "
                  "computed from different cases).";
    QCOMPARE(Message(DefinitenessProblem(diagonal)), message);
  }

  void resultLines() {
    QFETCH(std::vector<double>, diagonal);
    QFETCH(QString, lines);
    QCOMPARE(Lines(diagonal), lines);
  }
};

QTEST_APPLESS_MAIN(tst_Calculation)
#include "tst_calculation.moc"
