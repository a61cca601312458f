// The main window's commands and window events through its real widgets:
// Clear, Info, the menu commands and their enabling, the splash's return and
// hiding, the ways out, and one whole session ending on the clipboard.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <memory>

#include "analysis/control_wnd.h"
#include "app/file_types.h"
#include "app/module1.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "infowindows/about_wnd.h"
#include "infowindows/description_wnd.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "program_test_support.h"

namespace {

using test_support::kMenuItemNames;

QWidget* W(const fw::Ref<fw::RectControl>& control) {
  return fw::testing::WidgetOf(*control);
}

void Click(const fw::Ref<fw::PushButton>& button) {
  QTest::mouseClick(W(button), Qt::LeftButton);
}

using test_support::Choose;
using test_support::MenuAction;

fw::Ref<AboutWnd> LiveSplash() {
  return fw::RuntimeCheckCast<AboutWnd>(fw::GetImplicitWindow(AboutWnd::kClassName));
}

fw::Ref<DescriptionWnd> LiveInstructions() {
  return fw::RuntimeCheckCast<DescriptionWnd>(fw::GetImplicitWindow(DescriptionWnd::kClassName));
}

// Activation requests are queued; one may still arrive for a window that was
// shown and hidden at once, so ask again until this one holds.
void MakeActive(QWidget* widget) {
  for (int attempt = 0; attempt < 20 && QApplication::activeWindow() != widget; ++attempt) {
    widget->activateWindow();
    QTest::qWait(25);
  }
  QCOMPARE(QApplication::activeWindow(), widget);
}

// Makes the window the active one, coming from another window, so that its
// Activate event is raised.
void Activate(const fw::Window& window) {
  QWidget other;
  other.show();
  MakeActive(&other);
  MakeActive(fw::testing::WidgetOf(window));
}

// The main window as the splash's hand-over leaves it: with the splash made
// first, its activation only hides that one.
fw::Ref<ControlWnd> MainWindow() {
  implicit::AboutWnd()->Hide();
  auto main = implicit::ControlWnd();
  return main;
}

void TypeCount(ControlWnd& main, const QString& count) {
  QTest::keyClicks(W(main.Nvariables()), count);
}

void CalculateSample(ControlWnd& main) {
  TypeCount(main, QStringLiteral("5"));
  main.corrFld()->SetText(test_support::kExample);
  Click(main.CalculateBtn());
}

using test_support::ResultsHidden;
using test_support::ResultsShown;

QStringList GridRows() {
  QStringList rows;
  for (int64_t j = 0; j <= Module1::MyData.UBound(1); ++j) {
    QStringList cells;
    for (int64_t k = 0; k <= Module1::MyData.UBound(2); ++k) {
      cells << QString::fromStdString(Module1::MyData(j, k));
    }
    rows << cells.join(QLatin1Char('|'));
  }
  return rows;
}

}  // namespace

class tst_MainCommands : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fw::RuntimeInit(nullptr, nullptr, L"", 0);
    InitPluginEntrypoints();
    FileTypes::Initialize();
    QVERIFY(files_.isValid());
  }
  void cleanup() {
    fw::testing::ResetRunState();
    Module1::MyData.Redim(-1, -1);
  }

  void clearAfterCalculateResetsTheWindow();
  void clearOnANewWindowOnlyMovesTheFocus();
  void calculateAfterClearGivesTheRangeMessage();
  void clearThenLoadBehavesAsTheFirstLoad();
  void infoAndWindowInstructionsShowTheOneInstructionsWindow();
  void windowAboutShowsTheHiddenSplashUntilTheNextActivation();
  void activationAfterTheSplashWasClosedMakesAHiddenOne();
  void menuItemsAsTheUserSeesThem_data();
  void menuItemsAsTheUserSeesThem();
  void registersItsFiveHandlers();
  void copyHandlerChangesNothing();
  void editCommandsActOnTheFocusedField();
  void waysOutQuitWithZero_data();
  void waysOutQuitWithZero();
  void wholeSessionEndsOnTheClipboard();

 private:
  QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = files_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      return {};
    }
    return path;
  }

  QTemporaryDir files_;
};

void tst_MainCommands::clearAfterCalculateResetsTheWindow() {
  auto main = MainWindow();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main)));
  CalculateSample(*main);
  QCOMPARE(main->mcFld()->Text(), test_support::kExampleResults);
  QVERIFY(ResultsShown(*main));
  Module1::MyData.Redim(5, 5);
  Module1::MyData(1, 1) = "1.0000";
  W(main->corrFld())->setFocus();

  Click(main->ClearBtn());
  QCOMPARE(main->Nvariables()->Text(), std::string());
  QCOMPARE(main->corrFld()->Text(), std::string());
  QCOMPARE(main->mcFld()->Text(), std::string());
  QVERIFY(ResultsHidden(*main));
  QCOMPARE(Module1::MyData.UBound(1), int64_t{-1});
  QCOMPARE(Module1::MyData.UBound(2), int64_t{-1});
  QTRY_VERIFY(main->Nvariables()->HasFocus());

  // The next Calculate starts on the first line again.
  CalculateSample(*main);
  QCOMPARE(main->mcFld()->Text(), test_support::kExampleResults);
}

void tst_MainCommands::clearOnANewWindowOnlyMovesTheFocus() {
  auto main = MainWindow();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main)));
  W(main->corrFld())->setFocus();
  const auto windows = fw::OpenWindows();
  Click(main->ClearBtn());
  QCOMPARE(main->Nvariables()->Text(), std::string());
  QCOMPARE(main->corrFld()->Text(), std::string());
  QCOMPARE(main->mcFld()->Text(), std::string());
  QVERIFY(ResultsHidden(*main));
  QTRY_VERIFY(main->Nvariables()->HasFocus());
  // No other window is touched.
  QCOMPARE(fw::OpenWindows(), windows);
}

void tst_MainCommands::calculateAfterClearGivesTheRangeMessage() {
  auto main = implicit::ControlWnd();
  CalculateSample(*main);
  Click(main->ClearBtn());
  test_support::ModalAnswerer answers;
  Click(main->CalculateBtn());
  QCOMPARE(answers.Messages(), QStringList{QStringLiteral("Variables must range from 3-99")});
  QCOMPARE(main->mcFld()->Text(), std::string());
  QVERIFY(ResultsHidden(*main));
}

void tst_MainCommands::clearThenLoadBehavesAsTheFirstLoad() {
  const QString three =
      WriteFile(QStringLiteral("three.txt"), "1\t0.5\t-0.25\r\n0.5\t1\t0.3\r\n-0.25\t0.3\t1\r\n");
  const QString five =
      WriteFile(QStringLiteral("five.txt"), QByteArray::fromStdString(test_support::kExample));
  QVERIFY(!three.isEmpty() && !five.isEmpty());
  auto main = implicit::ControlWnd();
  test_support::ModalAnswerer answers;

  TypeCount(*main, QStringLiteral("3"));
  answers.ChooseFile(three);
  Click(main->loadBtn());
  const std::string firstDisplay = main->corrFld()->Text();
  const QStringList firstGrid = GridRows();
  QCOMPARE(QString::fromStdString(firstDisplay), QStringLiteral("1.0000  0.5000  -0.2500\r\n"
                                                                "0.5000  1.0000  0.3000\r\n"
                                                                "-0.2500 0.3000  1.0000\r\n"));
  QCOMPARE(firstGrid.size(), 4);

  Click(main->ClearBtn());
  TypeCount(*main, QStringLiteral("5"));
  answers.ChooseFile(five);
  Click(main->loadBtn());
  QCOMPARE(GridRows().size(), 6);

  Click(main->ClearBtn());
  QCOMPARE(GridRows(), QStringList());
  TypeCount(*main, QStringLiteral("3"));
  answers.ChooseFile(three);
  Click(main->loadBtn());
  QCOMPARE(main->corrFld()->Text(), firstDisplay);
  QCOMPARE(GridRows(), firstGrid);
}

void tst_MainCommands::infoAndWindowInstructionsShowTheOneInstructionsWindow() {
  auto main = implicit::ControlWnd();
  Click(main->infoBtn());
  auto instructions = LiveInstructions();
  QVERIFY(instructions && instructions->Visible());

  instructions->Hide();
  Choose(*main, "DescriptionMenuItem");
  QVERIFY(instructions->Visible());
  instructions->Hide();
  Click(main->infoBtn());
  QVERIFY(instructions->Visible());
  instructions->Hide();
  QCOMPARE(main->DescriptionMenuItem_Action(), false);
  QVERIFY(instructions->Visible());
  QCOMPARE(LiveInstructions(), instructions);
  QCOMPARE(fw::OpenWindows().size(), size_t{2});

  // Once it is closed, Info makes a new one.
  std::weak_ptr<DescriptionWnd> closed = instructions;
  instructions->Close();
  instructions.reset();
  QVERIFY(closed.expired());
  Click(main->infoBtn());
  QVERIFY(LiveInstructions() && LiveInstructions()->Visible());
}

void tst_MainCommands::windowAboutShowsTheHiddenSplashUntilTheNextActivation() {
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash)));
  QTest::keyClick(fw::testing::ClientOf(*splash), Qt::Key_Space);
  auto main = fw::RuntimeCheckCast<ControlWnd>(fw::GetImplicitWindow(ControlWnd::kClassName));
  QVERIFY(main && main->Visible());
  QVERIFY(!splash->Visible());

  Choose(*main, "AboutMenuItem");
  QVERIFY(splash->Visible());
  QCOMPARE(LiveSplash(), splash);
  QVERIFY(main->Visible());

  Activate(*main);
  QTRY_VERIFY(!splash->Visible());
  QVERIFY(splash->IsOpen());
  QCOMPARE(main->AboutMenuItem_Action(), false);
  QVERIFY(splash->Visible());
}

void tst_MainCommands::activationAfterTheSplashWasClosedMakesAHiddenOne() {
  auto main = implicit::ControlWnd();
  Activate(*main);
  std::weak_ptr<AboutWnd> first = LiveSplash();
  QVERIFY(!first.expired());
  QVERIFY(!first.lock()->Visible());

  // Window > About after the user closed the splash makes a new, shown one.
  fw::testing::WidgetOf(*first.lock())->close();
  QVERIFY(first.expired());
  QVERIFY(!LiveSplash());
  Choose(*main, "AboutMenuItem");
  std::weak_ptr<AboutWnd> second = LiveSplash();
  QVERIFY(!second.expired());
  QVERIFY(second.lock()->Visible());

  // Closed again: the next activation makes one more and hides it at once,
  // and the main window stays the active one.
  fw::testing::WidgetOf(*second.lock())->close();
  QVERIFY(second.expired());
  QWidget other;
  other.show();
  MakeActive(&other);
  fw::testing::WidgetOf(*main)->activateWindow();
  QTest::qWait(100);
  auto third = LiveSplash();
  QVERIFY(third);
  QVERIFY(!third->Visible());
  QVERIFY(main->Visible());
  QCOMPARE(QApplication::activeWindow(), fw::testing::WidgetOf(*main));
  QVERIFY(!fw::RuntimeIsQuitting());
}

void tst_MainCommands::menuItemsAsTheUserSeesThem_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("item");
  QTest::addColumn<bool>("enabled");
  QTest::newRow("Window > Control") << "WindowMenu"
                                    << "ControlMenuItem" << false;
  QTest::newRow("Window > About") << "WindowMenu"
                                  << "AboutMenuItem" << true;
  QTest::newRow("Window > Instructions") << "WindowMenu"
                                         << "DescriptionMenuItem" << true;
  QTest::newRow("File > Close") << "FileMenu"
                                << "CloseMenuItem" << true;
  QTest::newRow("File > Quit") << "FileMenu"
                               << "FileQuit" << true;
  QTest::newRow("Edit > Undo") << "EditMenu"
                               << "EditUndo" << true;
  QTest::newRow("Edit > Cut") << "EditMenu"
                              << "EditCut" << true;
  QTest::newRow("Edit > Copy") << "EditMenu"
                               << "EditCopy" << true;
  QTest::newRow("Edit > Paste") << "EditMenu"
                                << "EditPaste" << true;
}

void tst_MainCommands::menuItemsAsTheUserSeesThem() {
  QFETCH(QString, menu);
  QFETCH(QString, item);
  QFETCH(bool, enabled);
  auto main = implicit::ControlWnd();
  // The Instructions window opens its menus first: its states must not show
  // in the main window's.
  auto instructions = implicit::DescriptionWnd();
  for (QMenu* other : fw::testing::WidgetOf(*instructions)->menuBar()->findChildren<QMenu*>()) {
    emit other->aboutToShow();
  }
  QMenu* open = fw::testing::WidgetOf(*main)->menuBar()->findChild<QMenu*>(menu);
  QVERIFY(open);
  open->popup(QPoint(0, 0));
  QAction* action = open->findChild<QAction*>(item);
  QVERIFY(action);
  QCOMPARE(action->isEnabled(), enabled);
  QTest::keyClick(open, Qt::Key_Escape);
  QVERIFY(!open->isVisible());
}

void tst_MainCommands::registersItsFiveHandlers() {
  auto main = implicit::ControlWnd();
  QStringList handled;
  for (const char* name : kMenuItemNames) {
    if (main->MenuHandlerFor(name)) {
      handled << name;
    }
  }
  QCOMPARE(handled, (QStringList{"DescriptionMenuItem", "AboutMenuItem", "EditCopy", "FileQuit",
                                 "CloseMenuItem"}));
  QCOMPARE((*main->MenuHandlerFor("EditCopy"))(), true);
  QCOMPARE((*main->MenuHandlerFor("AboutMenuItem"))(), false);
  QCOMPARE((*main->MenuHandlerFor("DescriptionMenuItem"))(), false);
}

void tst_MainCommands::copyHandlerChangesNothing() {
  auto main = implicit::ControlWnd();
  CalculateSample(*main);
  const auto windows = fw::OpenWindows();
  QApplication::clipboard()->setText(QStringLiteral("before"));
  QCOMPARE(main->EditCopy_Action(), true);
  QCOMPARE(main->mcFld()->Text(), test_support::kExampleResults);
  QCOMPARE(main->Nvariables()->Text(), std::string("5"));
  QCOMPARE(fw::OpenWindows(), windows);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
  QVERIFY(!fw::RuntimeIsQuitting());
}

void tst_MainCommands::editCommandsActOnTheFocusedField() {
  auto main = implicit::ControlWnd();
  CalculateSample(*main);
  auto* results = qobject_cast<QTextEdit*>(W(main->mcFld()));
  results->setFocus();
  results->selectAll();
  Choose(*main, "EditCopy");
  QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
           QString::fromStdString(test_support::kExampleResults)
               .remove(QLatin1Char('\r'))
               .split(QLatin1Char('\n'), Qt::SkipEmptyParts));

  auto* matrix = qobject_cast<QTextEdit*>(W(main->corrFld()));
  main->corrFld()->SetText("");
  matrix->setFocus();
  QApplication::clipboard()->setText(QStringLiteral("0.5"));
  Choose(*main, "EditPaste");
  QCOMPARE(main->corrFld()->Text(), std::string("0.5"));
  matrix->selectAll();
  QApplication::clipboard()->clear();
  Choose(*main, "EditCut");
  QCOMPARE(main->corrFld()->Text(), std::string());
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.5"));
  Choose(*main, "EditUndo");
  QCOMPARE(main->corrFld()->Text(), std::string("0.5"));
}

void tst_MainCommands::waysOutQuitWithZero_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("close box") << "close box";
  QTest::newRow("File > Close") << "File > Close";
  QTest::newRow("File > Quit") << "File > Quit";
  QTest::newRow("Ctrl+Q") << "Ctrl+Q";
  QTest::newRow("Quit in the splash") << "splash";
  QTest::newRow("Quit in Instructions") << "instructions";
}

void tst_MainCommands::waysOutQuitWithZero() {
  QFETCH(QString, way);
  auto main = MainWindow();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main)));
  bool mainCloses = false;
  if (way == "close box") {
    fw::testing::WidgetOf(*main)->close();
    mainCloses = true;
  } else if (way == "File > Close") {
    Choose(*main, "CloseMenuItem");
    mainCloses = true;
  } else if (way == "File > Quit") {
    Choose(*main, "FileQuit");
  } else if (way == "Ctrl+Q") {
    W(main->Nvariables())->setFocus();
    QTest::keyClick(W(main->Nvariables()), Qt::Key_Q, Qt::ControlModifier);
  } else if (way == "splash") {
    auto splash = implicit::AboutWnd();
    QVERIFY(!splash->MenuHandlerFor("FileQuit"));
    Choose(*splash, "FileQuit");
  } else {
    auto instructions = implicit::DescriptionWnd();
    QVERIFY(!instructions->MenuHandlerFor("FileQuit"));
    Choose(*instructions, "FileQuit");
  }
  QVERIFY(fw::RuntimeIsQuitting());
  QCOMPARE(fw::testing::LastExitCode(), 0);
  QCOMPARE(main->IsOpen(), !mainCloses);
}

void tst_MainCommands::wholeSessionEndsOnTheClipboard() {
  // As late start-up leaves it: the splash alone.
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash)));
  QTest::mouseClick(W(splash->Canvas1()), Qt::LeftButton);
  auto main = fw::RuntimeCheckCast<ControlWnd>(fw::GetImplicitWindow(ControlWnd::kClassName));
  QVERIFY(main);
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main)));
  QVERIFY(!splash->Visible());

  QTest::mouseClick(W(main->Nvariables()), Qt::LeftButton);
  QTest::keyClicks(W(main->Nvariables()), QStringLiteral("5"));
  test_support::ModalAnswerer answers;
  answers.ChooseFile(QStringLiteral(QUILLMERE_EXAMPLES_DIR "/five_variables.txt"));
  Click(main->loadBtn());
  Click(main->CalculateBtn());
  QCOMPARE(main->mcFld()->Text(), test_support::kExampleResults);

  QWidget* results = W(main->mcFld());
  QTest::mouseClick(qobject_cast<QTextEdit*>(results)->viewport(), Qt::LeftButton);
  QTest::keyClick(results, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
           (QStringList{"0.2961\t0.0877", "0.6925\t0.4795", "0.6074\t0.3690", "0.7000\t0.4900",
                        "0.5206\t0.2710"}));
}

QTEST_MAIN(tst_MainCommands)
#include "tst_main_commands.moc"
