// Bad input through the real main window: odd files chosen in the real
// open-file dialog for Load Data, and odd pasted text for Calculate. Each
// gives a clear message, the framework's report or a correct result, never a
// crash, a hang or a half-written corrFld.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <string>

#include "analysis/control_wnd.h"
#include "program_test_support.h"

using test_support::Click;
using test_support::EditOf;
using test_support::ModalAnswerer;

namespace {

// What corrFld holds before each Load Data: a failed load must leave it so.
const std::string kEarlier = "typed earlier\r\n";

const QByteArray kThree = "1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n";
const QString kThreeDisplay =
    "1.0000  0.5000  -0.2500\r\n"
    "0.5000  1.0000  0.3000\r\n"
    "-0.2500 0.3000  1.0000\r\n";

const QString kNotANumber =
    "Line %1, field %2 of the file is not a number: \"%3\". "
    "Values must be separated by TAB and use a decimal point.";
const QString kEmptyField =
    "Line %1, field %2 of the file is empty: \"\". "
    "The file needs 3 lines of 3 values separated by TAB.";

// A literal's bytes, NULs included.
template <size_t N>
QByteArray Bytes(const char (&literal)[N]) {
  return QByteArray(literal, N - 1);
}

QByteArray Utf16(const QByteArray& latin1, bool bigEndian) {
  QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
  for (const char c : latin1) {
    bytes.append(bigEndian ? '\0' : c).append(bigEndian ? c : '\0');
  }
  return bytes;
}

QString Repeated(const QString& text, int times) {
  QString all;
  for (int i = 0; i < times; ++i) {
    all += text;
  }
  return all;
}

// Calls `shown` with every open-file dialog as it appears, before the
// ModalAnswerer gets to it.
class FileDialogHook : public QObject {
 public:
  explicit FileDialogHook(std::function<void(QFileDialog*)> shown) : shown_(std::move(shown)) {
    qApp->installEventFilter(this);
  }
  ~FileDialogHook() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
        shown_(dialog);
      }
    }
    return false;
  }

 private:
  std::function<void(QFileDialog*)> shown_;
};

using test_support::ResultsHidden;
using test_support::ResultsShown;

}  // namespace

class tst_BadInput : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    test_support::StartProgramPieces();
    QVERIFY(dir_.isValid());
  }
  void cleanup() { fw::testing::ResetRunState(); }

  // An empty message: the file must load to `display`.
  void badFiles_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("display");

    QTest::newRow("empty file") << QByteArray() << kEmptyField.arg(1).arg(1) << "";
    // A picture chosen by mistake: the PNG signature holds a CR LF, a NUL
    // and bytes that are not UTF-8.
    QTest::newRow("binary with NUL bytes")
        << Bytes("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x80")
        << kNotANumber.arg(1).arg(1).arg(QString::fromUtf8("\u2030PNG")) << "";
    QTest::newRow("NUL inside a value")
        << Bytes("1\t0.5\t-0.25\r\n0.5\t1\0\t0.3\r\n") + "-0.25\t0.3\t1\r\n"
        << kNotANumber.arg(2).arg(2).arg(QString::fromUtf8("1\uFFFD")) << "";
    // Not UTF-8, so the line is read as Windows-1252: C3 is "Ã".
    QTest::newRow("invalid UTF-8 in a value")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\xC3\t1\t0.3\r\n-0.25\t0.3\t1\r\n")
        << kNotANumber.arg(2).arg(1).arg(QString::fromUtf8("0.5\u00C3")) << "";
    QTest::newRow("invalid UTF-8 beyond the count")
        << QByteArray("1\t0.5\t-0.25\t\xFF\xFE\xC0\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n\x80\x81\r\n")
        << "" << kThreeDisplay;
    QTest::newRow("Windows-1252 header")
        << QByteArray("Vari\xE9t\xE9\t\x93r\x94\tx\r\n") + kThree
        << kNotANumber.arg(1).arg(1).arg(QString::fromUtf8("Vari\u00E9t\u00E9")) << "";
    QTest::newRow("UTF-16 LE with BOM") << Utf16(kThree, false) << "" << kThreeDisplay;
    QTest::newRow("UTF-16 BE with BOM") << Utf16(kThree, true) << "" << kThreeDisplay;
    QTest::newRow("UTF-16 BE with BOM, CR only")
        << Utf16(QByteArray(kThree).replace("\r\n", "\r"), true) << "" << kThreeDisplay;
    QTest::newRow("CR only") << QByteArray(kThree).replace("\r\n", "\r") << "" << kThreeDisplay;
    QTest::newRow("LF only") << QByteArray(kThree).replace("\r\n", "\n") << "" << kThreeDisplay;
    QTest::newRow("mixed line ends")
        << QByteArray("1\t0.5\t-0.25\r0.5\t1\t0.3\n-0.25\t0.3\t1\r\n") << "" << kThreeDisplay;
    QTest::newRow("trailing TABs")
        << QByteArray("1\t0.5\t-0.25\t\t\r\n0.5\t1\t0.3\t\r\n-0.25\t0.3\t1\t\t\t\r\n") << ""
        << kThreeDisplay;
    QTest::newRow("blank lines after the matrix") << kThree + "\r\n\r\n\n\r\t\r\n"
                                                  << "" << kThreeDisplay;
    // Every line is a row: a blank one among them is an empty row.
    QTest::newRow("blank line inside the matrix")
        << QByteArray("1\t0.5\t-0.25\r\n\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n")
        << kEmptyField.arg(2).arg(1) << "";
    QTest::newRow("CR CR is two line ends")
        << QByteArray("1\t0.5\t-0.25\r\r0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n")
        << kEmptyField.arg(2).arg(1) << "";
  }
  void badFiles() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    QFETCH(QString, display);
    auto w = WindowWithCount("3");
    ModalAnswerer answers;
    answers.ChooseFile(Write("matrix.txt", contents));
    Click(*w->loadBtn());
    QCOMPARE(answers.FileDialogsShown(), 1);
    QCOMPARE(answers.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(answers.Reports().isEmpty());
    QCOMPARE(QString::fromStdString(w->corrFld()->Text()),
             message.isEmpty() ? display : QString::fromStdString(kEarlier));
    QVERIFY(w->IsOpen());
  }

  // A line over the stream's limit is refused as soon as the limit is
  // passed: IOException reaches the framework's report, and corrFld keeps
  // its text even when earlier lines were read.
  void overlongLines_data() {
    QTest::addColumn<QByteArray>("start");  // before the long line
    QTest::addColumn<qint64>("length");     // of the long line, in bytes
    QTest::addColumn<int>("line");
    QTest::newRow("a single line of 100 MB") << QByteArray() << qint64(100) * kMiB << 1;
    QTest::newRow("two good lines, then 2 MiB")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n") << qint64(2) * kMiB << 3;
  }
  void overlongLines() {
    QFETCH(QByteArray, start);
    QFETCH(qint64, length);
    QFETCH(int, line);
    const QString path = dir_.filePath("long.txt");
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      QCOMPARE(file.write(start), start.size());
      const QByteArray chunk(kMiB, '1');
      for (qint64 written = 0; written < length; written += chunk.size()) {
        QCOMPARE(file.write(chunk), chunk.size());
      }
    }
    auto w = WindowWithCount("3");
    ModalAnswerer answers;
    answers.ChooseFile(path);
    QElapsedTimer clock;
    clock.start();
    Click(*w->loadBtn());
    // Far less than reading 100 MB would take; room for a sanitizer build.
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed()) + " ms"));
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(answers.Reports(),
             QStringList{QString("Line %1 of the file is longer than 1 MiB and cannot be read. "
                                 "Check that this is the text file you meant to choose.\n\n"
                                 "Detail: IOException")
                             .arg(line)});
    QCOMPARE(w->corrFld()->Text(), kEarlier);
    QVERIFY(w->IsOpen());
    QFile::remove(path);
  }

  // The dialog cannot return a folder: in a file-only dialog, a folder's path
  // typed and confirmed opens that folder in the dialog instead. The user
  // then cancels, and Load Data ends without a word.
  void folderChosenOpensItInTheDialog() {
    QDir(dir_.path()).mkdir("folder.txt");
    const QString folder = dir_.filePath("folder.txt");
    bool opened = false;
    FileDialogHook hook([&](QFileDialog* dialog) {
      auto* watch = new QTimer(dialog);
      connect(watch, &QTimer::timeout, dialog, [&opened, dialog, folder] {
        if (dialog->isVisible() && dialog->directory() == QDir(folder)) {
          opened = true;
          dialog->reject();
        }
      });
      watch->start(5);
    });
    auto w = WindowWithCount("3");
    ModalAnswerer answers;
    answers.ChooseFile(folder);
    Click(*w->loadBtn());
    QCOMPARE(answers.FileDialogsShown(), 1);
    QVERIFY(opened);
    QVERIFY(answers.Messages().isEmpty());
    QVERIFY(answers.Reports().isEmpty());
    QCOMPARE(w->corrFld()->Text(), kEarlier);
  }

  // The file is removed after the dialog accepted it and before Load Data
  // opens it: the framework reports that it cannot be opened.
  void fileGoneBeforeOpen() {
    const QString path = Write("gone.txt", kThree);
    FileDialogHook hook([&](QFileDialog* dialog) {
      connect(dialog, &QFileDialog::fileSelected, dialog,
              [](const QString& chosen) { QVERIFY(QFile::remove(chosen)); });
    });
    auto w = WindowWithCount("3");
    ModalAnswerer answers;
    answers.ChooseFile(path);
    Click(*w->loadBtn());
    QCOMPARE(answers.FileDialogsShown(), 1);
    QVERIFY(!QFile::exists(path));
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(answers.Reports(),
             QStringList{"The file \"gone.txt\" could not be opened: No such file or directory. "
                         "Choose a text file that you are allowed to read.\n\n"
                         "Detail: IOException"});
    QCOMPARE(w->corrFld()->Text(), kEarlier);
    QVERIFY(w->IsOpen());
  }

  // Pasted text: a check's message, a library fault in the framework's
  // report (whose parts are listed), or the results.
  void badPastedText_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("report");
    QTest::addColumn<QString>("results");
    const QStringList none;

    QTest::newRow("letters") << "3"
                             << "1\t0\t0\r\n0\t1\tabc\r\n0\t0\t1\r\n"
                             << ""
                             << QStringList{"BadArgumentException",
                                            "Row 2, column 3 is not a number: \"abc\""}
                             << "";
    QTest::newRow("decimal commas")
        << "3"
        << "1\t0,5\t0,2\r\n0,5\t1\t0,3\r\n0,2\t0,3\t1\r\n"
        << "" << QStringList{"BadArgumentException", "Row 1, column 2 is not a number: \"0,5\""}
        << "";
    QTest::newRow("lower triangle")
        << "3"
        << "1\r\n0.5\t1\r\n0.2\t0.3\t1\r\n"
        << "" << QStringList{"RowColumnMismatch", "Row 2 has 2 values, but row 1 has 1"} << "";
    QTest::newRow("ragged") << "3"
                            << "1\t0.5\t0.2\r\n0.5\t1\r\n0.2\t0.3\t1\t9\r\n"
                            << ""
                            << QStringList{"RowColumnMismatch",
                                           "Row 2 has 2 values, but row 1 has 3"}
                            << "";
    QTest::newRow("10 000 lines") << "3" << Repeated("1\t0\t0\r\n", 10000)
                                  << "Check data. Number of rows and columns do not match." << none
                                  << "";
    QTest::newRow("10 000 blank lines after the matrix")
        << "5" << QString::fromStdString(test_support::kExample) + Repeated("\r\n", 10000) << ""
        << none << QString::fromStdString(test_support::kExampleResults);
    QTest::newRow("singular") << "3"
                              << "1\t1\t0.5\r\n1\t1\t0.5\r\n0.5\t0.5\t1\r\n"
                              << "" << QStringList{"DivideByZeroException", "singular"} << "";
    // Correlations that no data can give are refused, not written as R and
    // SMC beyond 1 or NaN.
    const QString indefinite =
        "The matrix is not positive definite, so it is not a correlation matrix of real data: "
        "the SMC of variables 1, 2 and 3 would lie outside 0 to 1. Check the data (a typing "
        "error, or correlations computed from different cases).";
    // Every d is negative: SMC would be 16.2 and R 4.0249.
    QTest::newRow("not positive definite") << "3"
                                           << "1\t0.9\t-0.9\r\n0.9\t1\t0.9\r\n-0.9\t0.9\t1\r\n"
                                           << indefinite << none << "";
    // A value beyond 1 (2 typed for 0.2): d of the first variable is 2/3, so
    // its SMC would be negative and its R NaN; the others' d are negative.
    QTest::newRow("a value beyond 1") << "3"
                                      << "1\t0.5\t0.5\r\n0.5\t1\t-2\r\n0.5\t-2\t1\r\n"
                                      << indefinite << none << "";
  }
  void badPastedText() {
    QFETCH(QString, count);
    QFETCH(QString, matrix);
    QFETCH(QString, message);
    QFETCH(QStringList, report);
    QFETCH(QString, results);
    auto w = implicit::ControlWnd();
    w->corrFld()->SetText(matrix.toStdString());
    TypeCount(*w, count);
    ModalAnswerer answers;
    QElapsedTimer clock;
    clock.start();
    Click(*w->CalculateBtn());
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed()) + " ms"));

    QCOMPARE(answers.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (report.isEmpty()) {
      QVERIFY(answers.Reports().isEmpty());
    } else {
      QCOMPARE(answers.Reports().size(), 1);
      for (const QString& part : report) {
        QVERIFY2(answers.Reports().front().contains(part), qPrintable(answers.Reports().front()));
      }
    }
    QCOMPARE(QString::fromStdString(w->mcFld()->Text()), results);
    QVERIFY(results.isEmpty() ? ResultsHidden(*w) : ResultsShown(*w));
    QCOMPARE(w->corrFld()->Text(), matrix.toStdString());
    QCOMPARE(w->Nvariables()->Text(), count.toStdString());
    QVERIFY(w->IsOpen());
  }

 private:
  static constexpr qint64 kMiB = 1 << 20;

  // As a user does it: the count typed into its field.
  static void TypeCount(ControlWnd& w, const QString& count) {
    QLineEdit* edit = EditOf(*w.Nvariables());
    edit->setFocus();
    QTest::keyClicks(edit, count);
  }

  // The main window with the count typed and corrFld holding earlier text.
  fw::Ref<ControlWnd> WindowWithCount(const QString& count) {
    auto w = implicit::ControlWnd();
    w->corrFld()->SetText(kEarlier);
    TypeCount(*w, count);
    return w;
  }

  QString Write(const QString& name, const QByteArray& contents) {
    return test_support::WriteFile(dir_, name, contents);
  }

  QTemporaryDir dir_;
};

QTEST_MAIN(tst_BadInput)
#include "tst_bad_input.moc"
