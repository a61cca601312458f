// Load Data and the count filter in the real main window: files chosen in the
// real open-file dialog, the display written to corrFld, files that are
// refused with a message, and a file that cannot be read.

#include <QAbstractFileIconProvider>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <typeinfo>

#include "analysis/control_wnd.h"
#include "app/module1.h"
#include "framework/dialogs.h"
#include "program_test_support.h"

using test_support::Click;
using test_support::EditOf;
using test_support::ModalAnswerer;

namespace {

// The three-variable fixture and the display it loads to.
const QByteArray kThree = "1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n";
const std::string kThreeDisplay =
    "1.0000  0.5000  -0.2500\r\n"
    "0.5000  1.0000  0.3000\r\n"
    "-0.2500 0.3000  1.0000\r\n";

QByteArray Utf16(const QString& text, bool bigEndian) {
  QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
  for (const QChar c : text) {
    const char high = static_cast<char>(c.unicode() >> 8);
    const char low = static_cast<char>(c.unicode() & 0xFF);
    bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
  }
  return bytes;
}

// Ends the test with a message if it is still alive after the time given:
// a thread blocked in a read cannot fail a test by itself.
class Watchdog {
 public:
  Watchdog(std::chrono::seconds limit, const char* what)
      : thread_([this, limit, what] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
            qFatal("%s", what);
          }
        }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

// The beeps the program gave since the test case began.
int beeps_ = 0;

}  // namespace

// Counts a beep instead of sounding it. A definition in the test program
// comes before the framework library's own, so the program's windows call
// this one.
void fw::Beep() {
  ++beeps_;
}

class tst_LoadData : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    test_support::StartProgramPieces();
    QVERIFY(dir_.isValid());
  }
  void init() { beeps_ = 0; }
  void cleanup() { fw::testing::ResetRunState(); }

  void keyFilter_data() {
    QTest::addColumn<QString>("text");  // the key as KeyDown reports it
    QTest::addColumn<int>("key");       // for a key without a printable text
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("fieldAfter");  // the field holds "4" before
    QTest::newRow("0") << "0" << 0 << true << "40";
    QTest::newRow("5") << "5" << 0 << true << "45";
    QTest::newRow("9") << "9" << 0 << true << "49";
    QTest::newRow("backspace, code 8") << "\x08" << int(Qt::Key_Backspace) << true << "";
    QTest::newRow("return, code 13") << "\r" << int(Qt::Key_Return) << true << "4";
    QTest::newRow("delete, code 127") << "\x7f" << int(Qt::Key_Delete) << true << "4";
    // No real key press has an empty text: only the handler is asked.
    QTest::newRow("empty key text") << "" << 0 << true << "4";
    QTest::newRow("a") << "a" << 0 << false << "4";
    QTest::newRow("A") << "A" << 0 << false << "4";
    QTest::newRow("blank") << " " << 0 << false << "4";
    QTest::newRow("point") << "." << 0 << false << "4";
    QTest::newRow("minus") << "-" << 0 << false << "4";
    QTest::newRow("plus") << "+" << 0 << false << "4";
    QTest::newRow("comma") << "," << 0 << false << "4";
  }
  void keyFilter() {
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(bool, passes);
    QFETCH(QString, fieldAfter);
    auto w = implicit::ControlWnd();
    auto field = w->Nvariables();
    // The handler's answer: True keeps the key out of the field.
    QCOMPARE(w->Nvariables_KeyDown(*field, text.toStdString()), !passes);
    QCOMPARE(beeps_, passes ? 0 : 1);
    if (text.isEmpty()) {
      return;
    }
    beeps_ = 0;
    field->SetText("4");
    QLineEdit* edit = EditOf(*field);
    edit->setFocus();
    edit->end(false);
    if (key != 0) {
      QTest::keyClick(edit, static_cast<Qt::Key>(key));
    } else {
      QTest::keyClick(edit, text[0].toLatin1());
    }
    QCOMPARE(beeps_, passes ? 0 : 1);
    QCOMPARE(QString::fromStdString(field->Text()), fieldAfter);
  }

  void fieldTakesTwoCharactersAtMost() {
    auto w = implicit::ControlWnd();
    QLineEdit* edit = EditOf(*w->Nvariables());
    edit->setFocus();
    QTest::keyClicks(edit, "123");
    QCOMPARE(w->Nvariables()->Text(), std::string("12"));
    QCOMPARE(beeps_, 0);
  }

  // The mask and the limit hold however text reaches the count, and for
  // every way alike: pasted by key, from the Edit menu or from the field's
  // own context menu, or dropped.
  void countRulesHoldForPastedAndDroppedText_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fieldAfter");
    for (const char* way : {"Ctrl+V", "Edit menu", "context menu", "drop"}) {
      QTest::addRow("%s: a letter", way) << way << "x7"
                                         << "";
      QTest::addRow("%s: a sign", way) << way << "-5"
                                       << "";
      QTest::addRow("%s: two digits", way) << way << "42"
                                           << "42";
      QTest::addRow("%s: cut to two", way) << way << "123"
                                           << "12";
    }
  }

  void countRulesHoldForPastedAndDroppedText() {
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(QString, fieldAfter);
    auto w = implicit::ControlWnd();
    QLineEdit* edit = EditOf(*w->Nvariables());
    edit->setFocus();
    QApplication::clipboard()->setText(text);
    if (way == "Ctrl+V") {
      // With the control character a keyboard gives Ctrl+V, which the
      // count's KeyDown lets through.
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
    } else if (way == "Edit menu") {
      test_support::Choose(*w, "EditPaste");
    } else if (way == "context menu") {
      std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
      QAction* paste = nullptr;
      for (QAction* action : menu->actions()) {
        if (action->text().remove('&').startsWith(QStringLiteral("Paste"))) {
          paste = action;
        }
      }
      QVERIFY(paste && paste->isEnabled());
      paste->trigger();
    } else {
      QMimeData data;
      data.setText(text);
      const QPoint at = edit->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &drop);
    }
    QCOMPARE(QString::fromStdString(w->Nvariables()->Text()), fieldAfter);
  }

  void countOutOfRangeOpensNoDialog() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("2");
    ModalAnswerer answers;
    answers.ChooseFile(Write("three.txt", kThree));
    Click(*w->loadBtn());
    QCOMPARE(answers.Messages(), QStringList{"Variables must range from 3-99"});
    QCOMPARE(answers.FileDialogsShown(), 0);
    QCOMPARE(Module1::MyData.UBound(1), -1);
    QCOMPARE(w->corrFld()->Text(), std::string());
  }

  // What must load to the fixture's display, whatever the encoding, line
  // ends, or extra lines and fields beyond the count.
  void threeVariables_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("CR LF") << kThree;
    QTest::newRow("LF") << QByteArray(kThree).replace("\r\n", "\n");
    QTest::newRow("CR only") << QByteArray(kThree).replace("\r\n", "\r");
    QTest::newRow("no final line end") << kThree.chopped(2);
    QTest::newRow("fourth line and fourth field")
        << QByteArray("1\t0.5\t-0.25\t9\r\n0.5\t1\t0.3\t9\r\n-0.25\t0.3\t1\t9\r\n9\t9\t9\t9\r\n");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + kThree;
    QTest::newRow("UTF-16 LE with BOM") << Utf16(QString::fromLatin1(kThree), false);
    QTest::newRow("UTF-16 BE with BOM") << Utf16(QString::fromLatin1(kThree), true);
    QTest::newRow("blanks around values")
        << QByteArray(" 1 \t0.5\t -0.25\r\n0.5\t1\t0.3\r\n-.25\t.3\t1.\r\n");
    QTest::newRow("exponents") << QByteArray(
        "1E0\t5e-1\t-2.5e-1\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n");
  }
  void threeVariables() {
    QFETCH(QByteArray, contents);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    ModalAnswerer answers;
    answers.ChooseFile(Write("three.txt", contents));
    Click(*w->loadBtn());
    QVERIFY(answers.Messages().isEmpty());
    QVERIFY(answers.Reports().isEmpty());
    QCOMPARE(answers.FileDialogsShown(), 1);
    QCOMPARE(answers.FileDialogFilters(), QStringList{"text/plain (*.txt)"});
    QCOMPARE(w->corrFld()->Text(), kThreeDisplay);
    QCOMPARE(w->Nvariables()->Text(), std::string("3"));
  }

  // The grid holds each field as read, in rows and columns 1 to count.
  void gridHoldsTheFieldsAsRead() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    ModalAnswerer answers;
    answers.ChooseFile(Write("three.txt", kThree));
    Click(*w->loadBtn());
    const Module1::TextGrid& grid = Module1::MyData;
    QCOMPARE(grid.UBound(1), 3);
    QCOMPARE(grid.UBound(2), 3);
    QCOMPARE(grid(1, 3), std::string("-0.25"));
    QCOMPARE(grid(3, 2), std::string("0.3"));
    QCOMPARE(grid(0, 0), std::string());
    QCOMPARE(grid(2, 0), std::string());
    QVERIFY_THROWS_EXCEPTION(fw::OutOfBoundsException, grid(4, 1));
  }

  void secondLoadReplacesTheFirst() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("4");
    ModalAnswerer answers;
    answers.ChooseFile(
        Write("four.txt", "1\t2\t3\t4\r\n5\t6\t7\t8\r\n9\t1\t2\t3\r\n4\t5\t6\t7\r\n"));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text().substr(0, 8), std::string("1.0000  "));
    w->Nvariables()->SetText("3");
    answers.ChooseFile(Write("three.txt", kThree));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text(), kThreeDisplay);
    QCOMPARE(Module1::MyData.UBound(1), 3);
    QCOMPARE(Module1::MyData(1, 1), std::string("1"));
  }

  // One Load Data is one undo step: Undo right after it, by Ctrl+Z or from
  // the Edit menu, brings back the text the field held before, typed or
  // loaded.
  void undoTakesBackTheWholeLoad() {
    auto w = implicit::ControlWnd();
    QTextEdit* matrix = EditOf(*w->corrFld());
    QTest::keyClicks(EditOf(*w->Nvariables()), "3");
    QTest::mouseClick(matrix->viewport(), Qt::LeftButton);
    QTest::keyClicks(matrix, "typed by hand");
    ModalAnswerer answers;
    answers.ChooseFile(Write("three.txt", kThree));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text(), kThreeDisplay);
    QTest::mouseClick(matrix->viewport(), Qt::LeftButton);
    QTest::keyClick(matrix, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->corrFld()->Text(), std::string("typed by hand"));

    answers.ChooseFile(Write("three.txt", kThree));
    Click(*w->loadBtn());
    answers.ChooseFile(Write("other.txt", "1\t0\t0\r\n0\t1\t0\r\n0\t0\t1\r\n"));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text().substr(0, 8), std::string("1.0000  "));
    QTest::mouseClick(matrix->viewport(), Qt::LeftButton);
    test_support::Choose(*w, "EditUndo");
    QCOMPARE(w->corrFld()->Text(), kThreeDisplay);
    test_support::Choose(*w, "EditUndo");
    QCOMPARE(w->corrFld()->Text(), std::string("typed by hand"));
  }

  void cancelKeepsTheEarlierDisplay() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    ModalAnswerer answers;
    answers.ChooseFile(Write("three.txt", kThree));
    answers.CancelFileDialog();
    Click(*w->loadBtn());
    Click(*w->loadBtn());
    QCOMPARE(answers.FileDialogsShown(), 2);
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(w->corrFld()->Text(), kThreeDisplay);
    // The grid was resized before the dialog, and stays empty.
    QCOMPARE(Module1::MyData.UBound(1), 3);
    QCOMPARE(Module1::MyData(1, 1), std::string());
  }

  // Correlations without a negative value in the last column: 99 rows of
  // 8 x 99 - 2 characters.
  void ninetyNineVariables() {
    QByteArray contents;
    for (int i = 1; i <= 99; ++i) {
      for (int j = 1; j <= 99; ++j) {
        const double r = i == j ? 1.0 : (j == 99 ? 0.01 * (i % 100) : 0.01 * ((i + j) % 200 - 100));
        contents += QByteArray::number(r, 'f', 2) + (j < 99 ? "\t" : "\r\n");
      }
    }
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("99");
    ModalAnswerer answers;
    answers.ChooseFile(Write("ninety_nine.txt", contents));
    Click(*w->loadBtn());
    QVERIFY(answers.Messages().isEmpty());
    const QStringList rows = QString::fromStdString(w->corrFld()->Text()).split("\r\n");
    QCOMPARE(rows.size(), 100);
    QVERIFY(rows.last().isEmpty());
    for (int i = 0; i < 99; ++i) {
      QCOMPARE(rows[i].size(), 790);
    }
    QVERIFY(rows[0].startsWith("1.0000  -0.9700 -0.9600 "));
    QVERIFY(rows[0].endsWith("-0.0100 0.0100"));
  }

  // Every value keeps its whole text, and values
  // of eight characters or more stay apart.
  void wideValuesStayWholeAndApart() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    ModalAnswerer answers;
    answers.ChooseFile(Write("wide.txt", "-12.5\t-0.25\t-0.5\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n"));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text(), std::string("-12.5000 -0.2500 -0.5000\r\n"
                                               "0.5000  1.0000  0.3000\r\n"
                                               "-0.2500 0.3000  1.0000\r\n"));
  }

  // A cell that is not a number is named with its line and field, and the
  // field keeps its text: no plausible but wrong matrix is left behind.
  void cellsThatAreNoNumberAreRefused_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");
    const QString notANumber =
        "Line %1, field %2 of the file is not a number: \"%3\". "
        "Values must be separated by TAB and use a decimal point.";
    const QString empty =
        "Line %1, field %2 of the file is empty: \"\". "
        "The file needs 3 lines of 3 values separated by TAB.";
    QTest::newRow("header line") << QByteArray("X\tY\tZ\r\n") + kThree
                                 << notANumber.arg(1).arg(1).arg("X");
    QTest::newRow("decimal comma")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\t0,3\r\n-0.25\t0.3\t1\r\n")
        << notANumber.arg(2).arg(3).arg("0,3");
    QTest::newRow("NA") << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n-0.25\tNA\t1\r\n")
                        << notANumber.arg(3).arg(2).arg("NA");
    QTest::newRow("too few fields")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\r\n-0.25\t0.3\t1\r\n") << empty.arg(2).arg(3);
    QTest::newRow("too few lines")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n") << empty.arg(3).arg(1);
    QTest::newRow("empty file") << QByteArray() << empty.arg(1).arg(1);
    QTest::newRow("separated by blanks")
        << QByteArray("1 0.5 -0.25\r\n0.5 1 0.3\r\n-0.25 0.3 1\r\n")
        << notANumber.arg(1).arg(1).arg("1 0.5 -0.25");
    QTest::newRow("number too large to hold")
        << QByteArray("1\t0.5\t-0.25\r\n0.5\t1\t1e999\r\n-0.25\t0.3\t1\r\n")
        << QString("Line 2, field 3 of the file is too large a number: \"1e999\".");
    // The start of an executable: its control characters show as "?", its
    // NUL as the replacement character.
    QTest::newRow("binary file") << QByteArray(
                                        "\x7f"
                                        "ELF\x02\x01\x01\x00\t0\t0\r\n",
                                        13) +
                                        kThree
                                 << notANumber.arg(1).arg(1).arg(
                                        QString::fromUtf8("?ELF???\xEF\xBF\xBD"));
    QTest::newRow("long field is cut in the message")
        << QByteArray("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\t0\t0\r\n") + kThree
        << notANumber.arg(1).arg(1).arg("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 1...");
  }
  void cellsThatAreNoNumberAreRefused() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    w->corrFld()->SetText("typed earlier\r\n");
    ModalAnswerer answers;
    answers.ChooseFile(Write("bad.txt", contents));
    Click(*w->loadBtn());
    QCOMPARE(answers.Messages(), QStringList{message});
    QVERIFY(answers.Reports().isEmpty());
    QCOMPARE(w->corrFld()->Text(), std::string("typed earlier\r\n"));
  }

  // A line over the framework's limit cannot be read: IOException reaches
  // the framework's report, and the window goes on with its text.
  void unreadableFileReachesTheReport() {
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    w->corrFld()->SetText("typed earlier\r\n");
    ModalAnswerer answers;
    answers.ChooseFile(
        Write("huge_line.txt", QByteArray(fw::TextInputStream::kMaxLineBytes + 10, '1')));
    Click(*w->loadBtn());
    QVERIFY(answers.Messages().isEmpty());
    QCOMPARE(answers.Reports().size(), 1);
    QVERIFY2(answers.Reports().front().contains("IOException"),
             qPrintable(answers.Reports().front()));
    QCOMPARE(w->corrFld()->Text(), std::string("typed earlier\r\n"));
    QVERIFY(w->IsOpen());
  }

  // The example shipped with the program loads, and Calculate then gives the
  // worked results.
  void exampleFileThenCalculate() {
    auto w = implicit::ControlWnd();
    QLineEdit* count = EditOf(*w->Nvariables());
    count->setFocus();
    QTest::keyClicks(count, "5");
    ModalAnswerer answers;
    answers.ChooseFile(QDir(QUILLMERE_EXAMPLES_DIR).filePath("five_variables.txt"));
    Click(*w->loadBtn());
    QCOMPARE(w->corrFld()->Text(), test_support::kExampleDisplay);
    Click(*w->CalculateBtn());
    QCOMPARE(w->mcFld()->Text(), test_support::kExampleResults);
    QVERIFY(answers.Messages().isEmpty());
    QVERIFY(answers.Reports().isEmpty());
  }

  // The user browses the dialog into system folders, where reading some files
  // blocks for good (/proc/kmsg, as root): the dialog tells files apart by
  // their names alone and answers throughout. A file named without an
  // extension that starts like a PDF is not called one.
  void dialogNeverReadsTheFilesItLists() {
    Write("report", "%PDF-1.4\n");
    const QStringList folders = {dir_.path(), "/proc", "/dev", "/sys"};
    QStringList listed;
    // Outlives the dialog: its model may report a folder after the user left.
    QStringList loaded;
    QString reportType;
    // A report of an exception from inside the dialog is read and dismissed,
    // not left to hang the test.
    ModalAnswerer answers;
    answers.DriveFileDialogs([&](QFileDialog& dialog) {
      auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      auto* model = dialog.findChild<QFileSystemModel*>();
      connect(model, &QFileSystemModel::directoryLoaded, &dialog,
              [&loaded](const QString& path) { loaded << path; });
      name->setFocus();
      for (const QString& folder : folders) {
        // The user types the folder's path and presses Return; the dialog
        // goes there and lists it.
        name->clear();
        QTest::keyClicks(name, folder + '/');
        QTest::keyClick(name, Qt::Key_Return);
        if (QTest::qWaitFor([&] { return loaded.contains(folder); }, 20000)) {
          listed << folder;
        }
        const QModelIndex index = model->index(folder);
        for (int row = 0; row < model->rowCount(index); ++row) {
          model->data(model->index(row, 2, index));  // the Type column, as shown
        }
      }
      // The filter hides it from the list: ask what the list would show.
      reportType = dialog.iconProvider()->type(QFileInfo(dir_.filePath("report")));
      dialog.reject();
    });
    const Watchdog watchdog(std::chrono::seconds(90), "the open-file dialog stopped answering");
    auto w = implicit::ControlWnd();
    w->Nvariables()->SetText("3");
    Click(*w->loadBtn());
    QCOMPARE(answers.Reports(), QStringList());
    QCOMPARE(listed, folders);
    QVERIFY2(!reportType.isEmpty() && !reportType.contains("PDF"), qPrintable(reportType));
    QCOMPARE(w->corrFld()->Text(), std::string());
  }

 private:
  QString Write(const QString& name, const QByteArray& contents) {
    return test_support::WriteFile(dir_, name, contents);
  }

  QTemporaryDir dir_;
};

QTEST_MAIN(tst_LoadData)
#include "tst_load_data.moc"
