// The calculation behind Calculate, without a window: the count rule, the
// checks of the matrix text and size, and the result lines from the diagonal
// of the inverse.

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
  }
  void resultLines() {
    QFETCH(std::vector<double>, diagonal);
    QFETCH(QString, lines);
    QCOMPARE(Lines(diagonal), lines);
  }
};

QTEST_APPLESS_MAIN(tst_Calculation)
#include "tst_calculation.moc"
