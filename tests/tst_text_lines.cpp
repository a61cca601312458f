// How the backends' text areas take a new text: line ends, appending to the
// shown text, and positions in a control's paragraphs.

#include <QtTest>

#include "framework/src/gui/text_lines.h"

using fw::text_lines::Change;

class tst_TextLines : public QObject {
  Q_OBJECT

 private slots:
  void changeFrom_data() {
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("changed");
    const int none = static_cast<int>(Change::Kind::None);
    const int append = static_cast<int>(Change::Kind::Append);
    const int replace = static_cast<int>(Change::Kind::Replace);
    QTest::newRow("empty stays empty") << QByteArray() << QByteArray() << none << QByteArray();
    QTest::newRow("first text, LF made CR LF")
        << QByteArray() << QByteArray("a\nb") << replace << QByteArray("a\r\nb");
    QTest::newRow("a line added") << QByteArray("a\r\n") << QByteArray("a\r\nb\n") << append
                                  << QByteArray("b\r\n");
    QTest::newRow("a lone CR added")
        << QByteArray("a") << QByteArray("a\rb") << append << QByteArray("\r\nb");
    QTest::newRow("same text, other line ends")
        << QByteArray("a\r\nb") << QByteArray("a\nb") << none << QByteArray();
    QTest::newRow("an extension only once normalized")
        << QByteArray("a\r\nb") << QByteArray("a\nbc\r") << append << QByteArray("c\r\n");
    QTest::newRow("a shorter text")
        << QByteArray("a\r\nb") << QByteArray("a") << replace << QByteArray("a");
    QTest::newRow("another text") << QByteArray("ab") << QByteArray("xyz") << replace
                                  << QByteArray("xyz");
  }
  void changeFrom() {
    QFETCH(QByteArray, current);
    QFETCH(QByteArray, text);
    QFETCH(int, kind);
    QFETCH(QByteArray, changed);
    const Change change = fw::text_lines::ChangeFrom(current.toStdString(), text.toStdString());
    QCOMPARE(static_cast<int>(change.kind), kind);
    QCOMPARE(QByteArray::fromStdString(change.text), changed);
  }

  void paragraphPosition_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("start") << QByteArray("ab") << qint64(0) << qint64(0);
    QTest::newRow("CR LF is one mark") << QByteArray("a\r\nb") << qint64(3) << qint64(2);
    QTest::newRow("two-byte letter is one unit")
        << QByteArray("\xC3\xA9x") << qint64(1) << qint64(1);
    QTest::newRow("beyond U+FFFF is two units")
        << QByteArray("\xF0\x9F\x98\x80x") << qint64(1) << qint64(2);
    // Counted as the text helpers count it and as the control shows it: one
    // U+FFFD for the stray lead byte, then "x" and "y".
    QTest::newRow("malformed byte is one unit") << QByteArray("\xF0xyz") << qint64(3) << qint64(3);
    QTest::newRow("past the end stops at the end") << QByteArray("a\r\n") << qint64(9) << qint64(2);
  }
  void paragraphPosition() {
    QFETCH(QByteArray, text);
    QFETCH(qint64, position);
    QFETCH(qint64, expected);
    QCOMPARE(fw::text_lines::ParagraphPosition(text.toStdString(), position), expected);
  }
};

QTEST_APPLESS_MAIN(tst_TextLines)
#include "tst_text_lines.moc"
