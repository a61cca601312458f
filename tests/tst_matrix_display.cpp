// One cell of the correlation-matrix display that Load Data writes.

#include <QtTest>

#include <string>

#include "analysis/matrix_display.h"

class tst_MatrixDisplay : public QObject {
  Q_OBJECT

 private slots:
  void cells_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("last");
    QTest::addColumn<QString>("shown");
    QTest::newRow("inner, non-negative") << "0.5" << false << "0.5000  ";
    QTest::newRow("inner, negative") << "-0.25" << false << "-0.2500 ";
    QTest::newRow("inner, 8 characters") << "-12.5" << false << "-12.5000 ";
    QTest::newRow("inner, wider still") << "12345.5" << false << "12345.5000 ";
    QTest::newRow("last, non-negative") << "1" << true << "1.0000";
    QTest::newRow("last, negative keeps its fourth decimal") << "-0.25" << true << "-0.2500";
    QTest::newRow("blanks around") << "  0.3 " << false << "0.3000  ";
    QTest::newRow("rounds to four decimals") << "0.12345678" << true << "0.1235";
    QTest::newRow("exponent") << "2.5e-1" << false << "0.2500  ";
  }
  void cells() {
    QFETCH(QString, cell);
    QFETCH(bool, last);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(DisplayCell(cell.toStdString(), last)), shown);
  }
};

QTEST_APPLESS_MAIN(tst_MatrixDisplay)
#include "tst_matrix_display.moc"
