#include <QRegularExpression>
#include <QStringList>
#include <QtTest>

#include <cmath>
#include <set>

#include "app/notice.h"
#include "app/version.h"
#include "infowindows/help_text.h"

namespace {

QString Text() {
  return QString::fromStdString(infowindows::HelpText());
}

QStringList Lines() {
  return Text().split(QStringLiteral("\r\n"));
}

// Line numbers as a reader counts them, from 1.
const std::set<int> kEmptyLines = {2, 4, 7, 10, 17, 24, 26, 29, 30, 33, 35, 38, 40};
const std::set<int> kSampleLines = {12, 13, 14, 15, 16, 19, 20, 21, 22, 23};

}  // namespace

class tst_HelpText : public QObject {
  Q_OBJECT

 private slots:
  void isAsciiWithCrLfLineEndsOnly();
  void fixedLines_data();
  void fixedLines();
  void emptyLinesAndTabsStandWhereTheyBelong();
  void sampleMatrixIsTheFiveVariableExample();
  void sampleOutputIsAlignedAndConsistent();
};

void tst_HelpText::isAsciiWithCrLfLineEndsOnly() {
  const std::string& text = infowindows::HelpText();
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    QVERIFY2(byte == '\t' || byte == '\r' || byte == '\n' || (byte >= 0x20 && byte < 0x7F),
             qPrintable(QStringLiteral("byte 0x%1").arg(byte, 2, 16, QLatin1Char('0'))));
  }
  QCOMPARE(Text().count(QStringLiteral("\r\n")), 40);
  QCOMPARE(Text().count(QLatin1Char('\r')), 40);
  QCOMPARE(Text().count(QLatin1Char('\n')), 40);
  QVERIFY(!text.empty() && text.back() != '\n' && text.back() != '\r');
  QCOMPARE(Lines().size(), 41);
}

void tst_HelpText::fixedLines_data() {
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("expected");
  QTest::newRow("title") << 1 << "Quillmere";
  QTest::newRow("input") << 5 << "Input";
  QTest::newRow("operation") << 8 << "Operation of Quillmere Program";
  QTest::newRow("matrix heading") << 11 << "The correlation matrix:";
  QTest::newRow("output header") << 18 << QStringLiteral("R") + QString(15, ' ') + "SMC";
  QTest::newRow("caution") << 27 << "Caution";
  QTest::newRow("references") << 31 << "References";
  QTest::newRow("separator") << 36 << QString(3, ' ') + QString(59, '*');
  // The notice and the version as the version header gives them, and a
  // citation that points to no address.
  QTest::newRow("notice")
      << 37
      << QString::fromUtf8(kNotice.data(), qsizetype(kNotice.size())) +
             ". Quillmere may be used, copied and passed on free of charge for research and "
             "teaching, provided that this notice stays with every copy. It may not be sold or "
             "included in a product that is sold.";
  QTest::newRow("citation") << 39
                            << "To cite this program: Quillmere Project (2026). Quillmere " +
                                   QString::fromUtf8(version::kShort.data(),
                                                     qsizetype(version::kShort.size())) +
                                   " [Computer software].";
}

void tst_HelpText::fixedLines() {
  QFETCH(int, line);
  QFETCH(QString, expected);
  const QStringList lines = Lines();
  QVERIFY(line <= lines.size());
  QCOMPARE(lines.at(line - 1), expected);
}

void tst_HelpText::emptyLinesAndTabsStandWhereTheyBelong() {
  const QStringList lines = Lines();
  QCOMPARE(lines.size(), 41);
  for (int n = 1; n <= lines.size(); ++n) {
    const QString& line = lines.at(n - 1);
    const QByteArray where = QByteArray("line ") + QByteArray::number(n);
    QVERIFY2(line.isEmpty() == kEmptyLines.contains(n), where.constData());
    QVERIFY2(line.contains(QLatin1Char('\t')) == kSampleLines.contains(n), where.constData());
  }
  // The notice matches the one in the version data.
  QVERIFY(lines.at(36).startsWith(QStringLiteral("Copyright 2024-2026 Quillmere Project.")));
}

void tst_HelpText::sampleMatrixIsTheFiveVariableExample() {
  const double expected[5][5] = {{1.00, 0.20, 0.24, 0.00, 0.00},
                                 {0.20, 1.00, 0.58, 0.56, 0.21},
                                 {0.24, 0.58, 1.00, 0.41, 0.21},
                                 {0.00, 0.56, 0.41, 1.00, 0.51},
                                 {0.00, 0.21, 0.21, 0.51, 1.00}};
  const QRegularExpression value(QStringLiteral("^\\d\\.\\d{4}$"));
  const QStringList lines = Lines();
  QCOMPARE(lines.size(), 41);
  for (int row = 0; row < 5; ++row) {
    const QStringList fields = lines.at(11 + row).split(QLatin1Char('\t'));
    QCOMPARE(fields.size(), 5);
    for (int col = 0; col < 5; ++col) {
      QVERIFY2(value.match(fields.at(col)).hasMatch(), qPrintable(fields.at(col)));
      QCOMPARE(fields.at(col).toDouble(), expected[row][col]);
    }
  }
}

void tst_HelpText::sampleOutputIsAlignedAndConsistent() {
  const QRegularExpression pattern(QStringLiteral("^(\\d\\.\\d{4})\\t {4}(\\d\\.\\d{4})$"));
  const QStringList lines = Lines();
  QCOMPARE(lines.size(), 41);
  for (int n = 19; n <= 23; ++n) {
    const QRegularExpressionMatch match = pattern.match(lines.at(n - 1));
    QVERIFY2(match.hasMatch(), qPrintable(lines.at(n - 1)));
    // Both are rounded to four decimals, so R squared may differ from SMC
    // by up to 2 R * 0.00005 + 0.00005.
    const double r = match.captured(1).toDouble();
    const double smc = match.captured(2).toDouble();
    QVERIFY2(std::abs(r * r - smc) <= 0.00015, qPrintable(lines.at(n - 1)));
  }
}

QTEST_APPLESS_MAIN(tst_HelpText)
#include "tst_help_text.moc"
