// The number check of Load Data: which fields of a matrix file are numbers.

#include <QtTest>

#include <string>

#include "analysis/number_check.h"

class tst_NumberCheck : public QObject {
  Q_OBJECT

 private slots:
  void decimalNumbers_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("number");
    for (const char* yes : {"0", "1", "-0.25", "+0.5", "0.2400", ".5", "-.5", "5.", "1e3", "1E-3",
                            "-2.5e+10", " 0.5", "0.5  ", "\t1\t", "007", "1e999"}) {
      QTest::newRow(yes) << QByteArray(yes) << true;
    }
    for (const char* no : {"",
                           " ",
                           "-",
                           "+",
                           ".",
                           "-.",
                           "e5",
                           ".e5",
                           "1e",
                           "1e+",
                           "1.2.3",
                           "--1",
                           "+-1",
                           "0,58",
                           "NA",
                           "nan",
                           "inf",
                           "Infinity",
                           "0x1A",
                           "1 2",
                           "1-",
                           "1e5.5",
                           "12a",
                           "\xC2\xA0"
                           "1",
                           "\xEF\xBB\xBF"
                           "1"}) {
      QTest::newRow(no) << QByteArray(no) << false;
    }
  }
  void decimalNumbers() {
    QFETCH(QByteArray, text);
    QFETCH(bool, number);
    QCOMPARE(IsDecimalNumber(text.toStdString()), number);
  }
};

QTEST_APPLESS_MAIN(tst_NumberCheck)
#include "tst_number_check.moc"
