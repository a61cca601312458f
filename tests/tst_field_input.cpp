// A text field's input rules as both platforms apply them: what an insertion
// in place of the selection leaves in the field, by mask and length limit.

#include <QtTest>
#include <string>

#include "framework/src/gui/field_input.h"

class tst_FieldInput : public QObject {
  Q_OBJECT

 private slots:
  void insertion_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<bool>("admitted");
    QTest::addColumn<QString>("taken");
    //                               mask   limit current start end inserted  admitted taken
    QTest::newRow("digit at end") << "##" << 2 << "4" << 1 << 1 << "2" << true << "2";
    QTest::newRow("letter refused") << "##" << 2 << "" << 0 << 0 << "x7" << false << "";
    QTest::newRow("letter after") << "##" << 2 << "" << 0 << 0 << "7x" << false << "";
    QTest::newRow("cut to the room left") << "##" << 2 << "" << 0 << 0 << "123" << true << "12";
    QTest::newRow("full field takes nothing") << "##" << 2 << "12" << 2 << 2 << "3" << true << "";
    QTest::newRow("selection makes room") << "##" << 2 << "12" << 0 << 2 << "98" << true << "98";
    QTest::newRow("selection kept text checked")
        << "##" << 2 << "1x" << 0 << 1 << "5" << false << "";
    QTest::newRow("reversed selection") << "##" << 2 << "12" << 2 << 0 << "7" << true << "7";
    QTest::newRow("literal and letter") << "A-9" << 3 << "b" << 1 << 1 << "-4" << true << "-4";
    QTest::newRow("literal wrong") << "A-9" << 3 << "b" << 1 << 1 << "+4" << false << "";
    QTest::newRow("any character") << "&C" << 5 << "" << 0 << 0 << "x!" << true << "x!";
    QTest::newRow("past the mask's end") << "#" << 5 << "" << 0 << 0 << "12" << false << "";
    QTest::newRow("no mask") << "" << 4 << "ab" << 2 << 2 << "cdef" << true << "cd";
  }

  void insertion() {
    QFETCH(QString, mask);
    QFETCH(int, limit);
    QFETCH(QString, current);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, inserted);
    QFETCH(bool, admitted);
    QFETCH(QString, taken);
    const std::optional<std::u16string> result = fw::AdmittedInsertion(
        mask.toStdU16String(), static_cast<size_t>(limit), current.toStdU16String(),
        static_cast<size_t>(start), static_cast<size_t>(end), inserted.toStdU16String());
    QCOMPARE(result.has_value(), admitted);
    if (result) {
      QCOMPARE(QString::fromStdU16String(*result), taken);
    }
  }
};

QTEST_APPLESS_MAIN(tst_FieldInput)
#include "tst_field_input.moc"
