// Calculate in the real main window: the four checks with their messages,
// the worked example, and library faults that reach the framework's report.

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <cstdint>
#include <string>

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
