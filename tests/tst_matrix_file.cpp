// Load Data's reading without a window: count lines of TAB fields into the
// grid, the first field that is no number with its message, and the display
// rows.

#include <QtTest>

#include <string>
#include <vector>

#include "analysis/matrix_display.h"
#include "analysis/matrix_file.h"

namespace {

// A grid of upper bounds (count, count) filled from the lines.
fw::TextGrid Read(const QStringList& lines, int64_t count, int* yields = nullptr) {
  fw::TextGrid grid;
  grid.Redim(count, count);
  int next = 0;
  ReadGrid(
      grid, count,
      [&] { return next < lines.size() ? lines[next++].toStdString() : std::string(); },
      [yields] {
        if (yields) {
          ++*yields;
        }
      });
  return grid;
}

// Rows 1 to count, cells joined by "|", rows by "/".
QString Cells(const fw::TextGrid& grid, int64_t count) {
  QStringList rows;
  for (int64_t j = 1; j <= count; ++j) {
    QStringList row;
    for (int64_t k = 1; k <= count; ++k) {
      row << QString::fromStdString(grid(j, k));
    }
    rows << row.join('|');
  }
  return rows.join('/');
}

}  // namespace

class tst_MatrixFile : public QObject {
  Q_OBJECT

 private slots:
  void readGrid_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("cells");
    QTest::newRow("fields as read, blanks kept")
        << QStringList{"1\t0.5\t-0.25", " 0.5 \t1\t0.3", "-0.25\t0.3\t1"}
        << "1|0.5|-0.25/ 0.5 |1|0.3/-0.25|0.3|1";
    QTest::newRow("lines and fields beyond the count are not read")
        << QStringList{"1\t2\t3\t4", "5\t6\t7\t8", "9\t1\t2\t3", "4\t5\t6\t7"}
        << "1|2|3/5|6|7/9|1|2";
    QTest::newRow("blanks do not separate")
        << QStringList{"1 2 3", "4 5 6", "7 8 9"} << "1 2 3||/4 5 6||/7 8 9||";
    QTest::newRow("missing fields and lines stay empty")
        << QStringList{"1\t2", "3"} << "1|2|/3||/||";
  }
  void readGrid() {
    QFETCH(QStringList, lines);
    QFETCH(QString, cells);
    int yields = 0;
    const fw::TextGrid grid = Read(lines, 3, &yields);
    QCOMPARE(Cells(grid, 3), cells);
    // After every field and every line.
    QCOMPARE(yields, 3 * 4);
    // Row 0 and column 0 stay empty.
    QCOMPARE(grid(0, 1), std::string());
    QCOMPARE(grid(2, 0), std::string());
  }

  // The first faulty cell is found row by row and named with its line and
  // field; how a faulty cell is quoted.
  void firstFieldProblem_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    const QStringList three{"1\t0.5\t-0.25", "0.5\t1\t0.3", "-0.25\t0.3\t1"};
    QTest::newRow("every field a number") << three << "";
    QTest::newRow("first of two, row by row")
        << QStringList{"1\t0.5\t-0.25", "0.5\t1\tb", "a\t0.3\t1"}
        << "Line 2, field 3 of the file is not a number: \"b\". "
           "Values must be separated by TAB and use a decimal point.";
    QTest::newRow("blank field") << QStringList{"1\t0.5\t-0.25", "0.5\t \t0.3", "-0.25\t0.3\t1"}
                                 << "Line 2, field 2 of the file is empty: \" \". "
                                    "The file needs 3 lines of 3 values separated by TAB.";
    QTest::newRow("too large for a Double")
        << QStringList{"1\t0.5\t-1e400", "0.5\t1\t0.3", "-0.25\t0.3\t1"}
        << "Line 1, field 3 of the file is too large a number: \"-1e400\".";
    // 41 characters, cut to 40 and marked.
    QTest::newRow("long field cut")
        << QStringList{"1\t0.5\t" + QString(41, 'x'), "0.5\t1\t0.3", "-0.25\t0.3\t1"}
        << "Line 1, field 3 of the file is not a number: \"" + QString(40, 'x') +
               "...\". Values must be separated by TAB and use a decimal point.";
    QTest::newRow("control characters masked")
        << QStringList{QString::fromUtf8("\x01\x1f"
                                         "a\x7f"
                                         "b\u0085"
                                         "c\u00e9") +
                           "\t0.5\t1",
                       "0.5\t1\t0.3", "-0.25\t0.3\t1"}
        << QString::fromUtf8(
               "Line 1, field 1 of the file is not a number: \"??a?b?c\u00e9\". "
               "Values must be separated by TAB and use a decimal point.");
    QTest::newRow("long field with control characters cut")
        << QStringList{QString(39, 'x') + "\x02\x03\x04", "0.5\t1\t0.3", "-0.25\t0.3\t1"}
        << "Line 1, field 1 of the file is not a number: \"" + QString(39, 'x') +
               "?...\". Values must be separated by TAB and use a decimal point.";
    QTest::newRow("40 characters whole")
        << QStringList{"1\t0.5\t" + QString(40, 'x'), "0.5\t1\t0.3", "-0.25\t0.3\t1"}
        << "Line 1, field 3 of the file is not a number: \"" + QString(40, 'x') +
               "\". Values must be separated by TAB and use a decimal point.";
  }
  void firstFieldProblem() {
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    const std::optional<std::string> problem = FirstFieldProblem(Read(lines, 3), 3);
    QCOMPARE(problem ? QString::fromStdString(*problem) : QString(), message);
  }

  void displayRows() {
    const fw::TextGrid grid = Read({"1\t0.5\t-0.25", "0.5\t1\t0.3", "-0.25\t0.3\t1"}, 3);
    int yields = 0;
    auto count = [&yields] { ++yields; };
    QCOMPARE(DisplayRow(grid, 1, 3, count), std::string("1.0000  0.5000  -0.2500\r\n"));
    QCOMPARE(DisplayRow(grid, 3, 3, count), std::string("-0.2500 0.3000  1.0000\r\n"));
    QCOMPARE(yields, 6);
  }
};

QTEST_APPLESS_MAIN(tst_MatrixFile)
#include "tst_matrix_file.moc"
