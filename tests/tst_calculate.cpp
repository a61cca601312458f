// Calculate in the real main window: the four checks with their messages,
// the worked example, and library faults that reach the framework's report.

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "analysis/control_wnd.h"
#include "program_test_support.h"

using test_support::Click;
using test_support::EditOf;
using test_support::ModalAnswerer;

namespace {

using test_support::kExample;
using test_support::kExampleResults;

std::string Identity(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      text += (i == j ? "1" : "0");
      text += (j + 1 < n ? "\t" : "\r\n");
    }
  }
  return text;
}

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) {
    all += text;
  }
  return all;
}

// The correlations of 99 variables measured on only 50 cases, rounded to 4
// decimals: singular before rounding, and not positive definite after.
std::string CorrelationsOfFewCases() {
  constexpr int kVariables = 99;
  constexpr int kCases = 50;
  std::mt19937_64 random(20261210);  // its sequence is fixed by the standard
  std::vector<std::vector<double>> data(kVariables, std::vector<double>(kCases));
  for (std::vector<double>& variable : data) {
    double mean = 0.0;
    for (double& x : variable) {
      x = static_cast<double>(random() >> 11) * 0x1.0p-53;
      mean += x / kCases;
    }
    double norm = 0.0;
    for (double& x : variable) {
      x -= mean;
      norm += x * x;
    }
    for (double& x : variable) {
      x /= std::sqrt(norm);
    }
  }
  std::string text;
  for (int i = 0; i < kVariables; ++i) {
    for (int j = 0; j < kVariables; ++j) {
      double r = 0.0;
      for (int k = 0; k < kCases; ++k) {
        r += data[i][k] * data[j][k];
      }
      char cell[16];
      std::snprintf(cell, sizeof cell, "%.4f", i == j ? 1.0 : r);
      text += cell;
      text += j + 1 < kVariables ? "\t" : "\r\n";
    }
  }
  return text;
}

using test_support::ResultsHidden;
using test_support::ResultsShown;

}  // namespace

class tst_Calculate : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test_support::StartProgramPieces(); }
  void cleanup() { fw::testing::ResetRunState(); }

  // As a user does: types the count, pastes the matrix, clicks Calculate.
  void workedExampleTypedAndPasted() {
    auto w = implicit::ControlWnd();
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    QVERIFY(ResultsHidden(*w));

    QLineEdit* count = EditOf(*w->Nvariables());
    count->setFocus();
    QTest::keyClicks(count, "5");
    QCOMPARE(w->Nvariables()->Text(), std::string("5"));

    QTextEdit* matrix = EditOf(*w->corrFld());
    QGuiApplication::clipboard()->setText(QString::fromStdString(kExample));
    matrix->setFocus();
    QTest::keyClick(matrix, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(w->corrFld()->Text().find("0.5100\t1.0000") != std::string::npos);

    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QCOMPARE(w->mcFld()->Text(), kExampleResults);
    QVERIFY(ResultsShown(*w));

    // A second press appends the same block: earlier results stay.
    Click(*w->CalculateBtn());
    QCOMPARE(w->mcFld()->Text(), kExampleResults + kExampleResults);
    QVERIFY(answers.Messages().isEmpty());
    QVERIFY(answers.Reports().isEmpty());
    // Calculate only reads its inputs.
    QCOMPARE(w->Nvariables()->Text(), std::string("5"));
  }

  void failedChecksShowTheirMessageAndChangeNothing_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("message");
    const QString range = "Variables must range from 3-99";
    const QString example = QString::fromStdString(kExample);
    QTest::newRow("empty count") << "" << example << range;
    QTest::newRow("count 0") << "0" << example << range;
    QTest::newRow("count 1") << "1" << example << range;
    QTest::newRow("count 2") << "2" << example << range;
    QTest::newRow("24 characters for 5")
        << "5" << example.left(24)
        << "Correlation data seems to be incomplete. Reload the correlation data.";
    // Characters are counted, not bytes: 8 characters in 13 bytes.
    QTest::newRow("8 characters for 3")
        << "3" << QString::fromUtf8("\u00e9\u00e9\u00e9\u00e9\u00e9abc")
        << "Correlation data seems to be incomplete. Reload the correlation data.";
    QTest::newRow("empty matrix")
        << "3"
        << ""
        << "Correlation data seems to be incomplete. Reload the correlation data.";
    // 25 characters pass the length check; the library then finds 3 rows.
    const QString identity3 = QString::fromStdString(Identity(3));
    QTest::newRow("25 characters for 5") << "5" << (identity3 + QString(25 - identity3.size(), ' '))
                                         << "Check data. Are there 5 variables?";
    QTest::newRow("3 x 4 for 3") << "3"
                                 << "1 0 0 0\r\n0 1 0 0\r\n0 0 1 0\r\n"
                                 << "Check data. Number of rows and columns do not match.";
    QTest::newRow("4 x 4 for 5") << "5" << QString::fromStdString(Identity(4)) + "            "
                                 << "Check data. Are there 5 variables?";

    // Matrices that are no correlation matrix of real data: each would give
    // lines that look like results but are not.
    const QString asymmetric =
        "The matrix is not symmetric: row 2, column 3 holds 0.5800 but row 3, column 2 holds "
        "%1. Check the data.";
    QTest::newRow("0.85 typed in one triangle")
        << "5" << QString(example).replace("0.2400\t0.5800", "0.2400\t0.8500")
        << asymmetric.arg("0.8500");
    QTest::newRow("off by 0.0002 in one pair")
        << "5" << QString(example).replace("0.2400\t0.5800", "0.2400\t0.5802")
        << asymmetric.arg("0.5802");
    QTest::newRow("covariances")
        << "3"
        << "1.0000\t0.3000\t0.2000\r\n0.3000\t1.4400\t0.5000\r\n0.2000\t0.5000\t2.5000\r\n"
        << "The diagonal of a correlation matrix holds 1, but row 2, column 2 holds 1.4400. A "
           "covariance matrix must first be turned into correlations.";
    const QString indefinite =
        "The matrix is not positive definite, so it is not a correlation matrix of real data: "
        "the SMC of %1 would lie outside 0 to 1. Check the data (a typing error, or "
        "correlations computed from different cases).";
    // Today's lines would be 4.0249 and 16.2000: every d is negative.
    QTest::newRow("not positive definite") << "3"
                                           << "1\t0.9\t0.9\r\n0.9\t1\t-0.9\r\n0.9\t-0.9\t1\r\n"
                                           << indefinite.arg("variables 1, 2 and 3");
    // d = 0.99999625 for variable 1, whose line would be "NaN 0.0000".
    QTest::newRow("d just below 1") << "4"
                                    << "1\t0.001\t-0.001\t-0.001\r\n0.001\t1\t0.9\t0.9\r\n"
                                       "-0.001\t0.9\t1\t-0.9\r\n-0.001\t0.9\t-0.9\t1\r\n"
                                    << indefinite.arg("variables 1, 2, 3 and 4");
    // d = 0.87 for variable 1: its R would be NaN.
    QTest::newRow("d giving NaN") << "4"
                                  << "1\t0.2\t-0.2\t-0.2\r\n0.2\t1\t0.9\t0.9\r\n"
                                     "-0.2\t0.9\t1\t-0.9\r\n-0.2\t0.9\t-0.9\t1\r\n"
                                  << indefinite.arg("variables 1, 2, 3 and 4");
    QTest::newRow("99 variables from 50 cases")
        << "99" << QString::fromStdString(CorrelationsOfFewCases())
        << indefinite.arg("variables 1, 10, 15, 16, 21, 25, 26, 27, 29, 33 and 23 more");
  }
  void failedChecksShowTheirMessageAndChangeNothing() {
    QFETCH(QString, count);
    QFETCH(QString, matrix);
    QFETCH(QString, message);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText(count.toStdString());
    w->corrFld()->SetText(matrix.toStdString());
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QCOMPARE(answers.Messages(), QStringList{message});
    QVERIFY(answers.Reports().isEmpty());
    QCOMPARE(w->mcFld()->Text(), std::string());
    QVERIFY(ResultsHidden(*w));
    QCOMPARE(w->corrFld()->Text(), matrix.toStdString());
  }

  // Within the tolerance of the shape check, and near-singular but positive
  // definite: the lines are written as ever.
  void acceptedMatricesGiveTheirLines_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("lines");
    const QString example = QString::fromStdString(kExample);
    const QString results = QString::fromStdString(kExampleResults);
    QTest::newRow("off by 0.00005 in one pair")
        << "5" << QString(example).replace("0.2400\t0.5800", "0.2400\t0.58005") << results;
    QTest::newRow("diagonal 0.99995")
        << "5" << QString(example).replace("0.2400\t0.5800\t1.0000", "0.2400\t0.5800\t0.99995")
        << "0.2961\t0.0877\r\n0.6925\t0.4795\r\n0.6075\t0.3690\r\n0.7000\t0.4900\r\n"
           "0.5206\t0.2710\r\n";
    QTest::newRow("SMC of 0.9999") << "3"
                                   << "1\t0.99995\t0\r\n0.99995\t1\t0\r\n0\t0\t1\r\n"
                                   << "1.0000\t0.9999\r\n1.0000\t0.9999\r\n0.0000\t0.0000\r\n";
  }
  void acceptedMatricesGiveTheirLines() {
    QFETCH(QString, count);
    QFETCH(QString, matrix);
    QFETCH(QString, lines);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText(count.toStdString());
    w->corrFld()->SetText(matrix.toStdString());
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QCOMPARE(answers.Messages(), QStringList());
    QCOMPARE(QString::fromStdString(w->mcFld()->Text()), lines);
    QVERIFY(ResultsShown(*w));
  }

  // A refused Calculate leaves nothing that Clear would not clear as always.
  void clearAfterARefusedCalculate() {
    auto w = implicit::ControlWnd();
    QLineEdit* count = EditOf(*w->Nvariables());
    count->setFocus();
    QTest::keyClicks(count, "3");
    w->corrFld()->SetText("1\t0.9\t0.9\r\n0.9\t1\t-0.9\r\n0.9\t-0.9\t1\r\n");
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QCOMPARE(answers.Messages().size(), 1);
    Click(*w->ClearBtn());
    QCOMPARE(w->Nvariables()->Text(), std::string());
    QCOMPARE(w->corrFld()->Text(), std::string());
    QCOMPARE(w->mcFld()->Text(), std::string());
    QVERIFY(ResultsHidden(*w));
    // The window gets the activation back from the closed message box when
    // the window system gets to it.
    QTRY_VERIFY_WITH_TIMEOUT(EditOf(*w->Nvariables())->hasFocus(),
                             test_support::kWindowSystemPatience);
    // The next Calculate starts from the empty count, as after any Clear.
    Click(*w->CalculateBtn());
    QCOMPARE(answers.Messages().last(), QString("Variables must range from 3-99"));
  }

  // d = 1 for every variable: R and SMC are 0. Both ends of the range pass.
  void identityGivesZeros_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("3") << 3;
    QTest::newRow("99") << 99;
  }
  void identityGivesZeros() {
    QFETCH(int, count);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText(std::to_string(count));
    w->corrFld()->SetText(Identity(count));
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(w->mcFld()->Text(), Repeat("0.0000\t0.0000\r\n", count));
    QVERIFY(ResultsShown(*w));
  }

  // A fault the library finds ends in the framework's report, which names it;
  // the window stays as it was and the program goes on.
  void libraryFaultsReachTheReport_data() {
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("exception");
    QTest::addColumn<QString>("detail");
    QTest::newRow("not a number") << "1 0 0\r\n0 1 x\r\n0 0 1\r\n"
                                  << "BadArgumentException"
                                  << "\"x\"";
    QTest::newRow("decimal comma") << "1 0 0\r\n0 1 0,5\r\n0 0 1\r\n"
                                   << "BadArgumentException"
                                   << "\"0,5\"";
    QTest::newRow("rows of unequal length") << "1 0 0\r\n0 1\r\n0 0 1\r\n"
                                            << "RowColumnMismatch"
                                            << "Row 2";
    QTest::newRow("singular") << "1 1 1\r\n1 1 1\r\n1 1 1\r\n"
                              << "DivideByZeroException"
                              << "singular";
  }
  void libraryFaultsReachTheReport() {
    QFETCH(QString, matrix);
    QFETCH(QString, exception);
    QFETCH(QString, detail);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    w->corrFld()->SetText(matrix.toStdString());
    w->mcFld()->SetText("earlier\r\n");
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(answers.Reports().size(), 1);
    QVERIFY2(answers.Reports().front().contains(exception), qPrintable(answers.Reports().front()));
    QVERIFY2(answers.Reports().front().contains(detail), qPrintable(answers.Reports().front()));
    QCOMPARE(w->mcFld()->Text(), std::string("earlier\r\n"));
    QVERIFY(ResultsHidden(*w));
    QCOMPARE(w->corrFld()->Text(), matrix.toStdString());
    QVERIFY(w->IsOpen());
    QVERIFY(!fw::RuntimeIsQuitting());
  }
};

QTEST_MAIN(tst_Calculate)
#include "tst_calculate.moc"
