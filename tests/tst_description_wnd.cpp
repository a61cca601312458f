// The Instructions window through its real widgets: the help text with its
// bold title, read-only; its menu commands; its resizing; and the worked
// example of the help text against the real calculation.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <memory>

#include "analysis/control_wnd.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "infowindows/description_wnd.h"
#include "infowindows/help_text.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "program_test_support.h"

namespace {

using test_support::kMenuItemNames;

fw::Ref<DescriptionWnd> LiveInstructions() {
  return fw::RuntimeCheckCast<DescriptionWnd>(fw::GetImplicitWindow(DescriptionWnd::kClassName));
}

int OpenInstructionsWindows() {
  int count = 0;
  for (const auto& window : fw::OpenWindows()) {
    count += window->Class().name == DescriptionWnd::kClassName ? 1 : 0;
  }
  return count;
}

QTextEdit* EditOf(const DescriptionWnd& window) {
  return qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*window.DescribeFld2()));
}

// The text of every character that shows bold.
QString BoldText(const QTextEdit& edit) {
  QString bold;
  for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().fontWeight() >= QFont::Bold) {
        bold += it.fragment().text();
      }
    }
  }
  return bold;
}

using test_support::Choose;
using test_support::MenuAction;

// Opens every menu of the window's bar, as the user would, and lists the
// items that are enabled.
QStringList EnabledItems(const fw::Window& window) {
  QStringList enabled;
  for (QAction* top : fw::testing::WidgetOf(window)->menuBar()->actions()) {
    QMenu* menu = top->menu();
    menu->popup(QPoint(0, 0));
    for (QAction* action : menu->actions()) {
      if (action->isEnabled() && !action->isSeparator()) {
        enabled << action->objectName();
      }
    }
    menu->hide();
  }
  return enabled;
}

QStringList HelpLines() {
  return QString::fromStdString(infowindows::HelpText()).split(QStringLiteral("\r\n"));
}

}  // namespace

class tst_DescriptionWnd : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fw::RuntimeInit(nullptr, nullptr, L"", 0);
    InitPluginEntrypoints();
  }
  void cleanup() { fw::testing::ResetRunState(); }

  void opensWithItsLayoutAndTheHelpText();
  void onlyTheTitleIsBold();
  void helpTextCannotBeChanged();
  void infoShowsTheOneWindowAndCloseMakesWayForANewOne();
  void windowControlShowsTheMainWindowAndStaysOpen();
  void servesOnlyControlCloseAndCopy();
  void textAreaFollowsTheWindowSize_data();
  void textAreaFollowsTheWindowSize();
  void sampleOutputIsWhatCalculateGives();
};

void tst_DescriptionWnd::opensWithItsLayoutAndTheHelpText() {
  auto window = implicit::DescriptionWnd();
  QCOMPARE(implicit::DescriptionWnd().get(), window.get());
  QMainWindow* frame = fw::testing::WidgetOf(*window);
  QVERIFY(QTest::qWaitForWindowExposed(frame));
  QVERIFY(window->Visible());
  QCOMPARE(frame->windowTitle(), QStringLiteral("Instructions"));
  QCOMPARE(fw::testing::ClientOf(*window)->size(), QSize(450, 500));
  QVERIFY(frame->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!frame->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  QVERIFY(frame->windowFlags().testFlag(Qt::WindowCloseButtonHint));

  auto area = window->DescribeFld2();
  QCOMPARE(area->Text(), infowindows::HelpText());
  QCOMPARE(area->Bounds(), (fw::Rect{-1, -1, 452, 485}));
  QVERIFY(area->ReadOnly());
  QTextEdit* edit = EditOf(*window);
  QCOMPARE(edit->geometry(), QRect(-1, -1, 452, 485));
  QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  QCOMPARE(edit->lineWrapMode(), QTextEdit::WidgetWidth);

  using E = fw::WindowEvent;
  for (E event : {E::Layout, E::CreateControls, E::AddMenuHandlers, E::EnableMenuItems}) {
    QVERIFY2(window->IsEventImplemented(event), qPrintable(QString::number(int(event))));
  }
  for (E event : {E::Activate, E::Close, E::KeyDown, E::MouseDown}) {
    QVERIFY2(!window->IsEventImplemented(event), qPrintable(QString::number(int(event))));
  }
}

void tst_DescriptionWnd::onlyTheTitleIsBold() {
  auto window = implicit::DescriptionWnd();
  QCOMPARE(BoldText(*EditOf(*window)), QStringLiteral("Quillmere"));
  QVERIFY(HelpLines().constFirst() == QStringLiteral("Quillmere"));
  // Through the styled text too: the first 9 characters, not the line end.
  auto styled = window->DescribeFld2()->StyledText();
  for (int64_t position : {0, 4, 8}) {
    QVERIFY2(styled->Bold(position), qPrintable(QString::number(position)));
  }
  for (int64_t position :
       {int64_t{9}, int64_t{10}, int64_t{12}, int64_t{100}, styled->Length() - 1}) {
    QVERIFY2(!styled->Bold(position), qPrintable(QString::number(position)));
  }
}

void tst_DescriptionWnd::helpTextCannotBeChanged() {
  auto window = implicit::DescriptionWnd();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*window)));
  QTextEdit* edit = EditOf(*window);
  edit->setFocus();
  QTest::keyClicks(edit, "typed");
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Delete);
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(window->DescribeFld2()->Text(), infowindows::HelpText());
  QCOMPARE(BoldText(*edit), QStringLiteral("Quillmere"));

  // It can still be selected and copied.
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text().left(9), QStringLiteral("Quillmere"));
}

void tst_DescriptionWnd::infoShowsTheOneWindowAndCloseMakesWayForANewOne() {
  auto main = implicit::ControlWnd();
  QWidget* info = fw::testing::WidgetOf(*main->infoBtn());
  QTest::mouseClick(info, Qt::LeftButton);
  std::weak_ptr<DescriptionWnd> first = LiveInstructions();
  QVERIFY(!first.expired());
  QVERIFY(first.lock()->Visible());

  // A second Info, and Window > Instructions, show that same window.
  first.lock()->Hide();
  QTest::mouseClick(info, Qt::LeftButton);
  Choose(*main, "DescriptionMenuItem");
  QCOMPARE(LiveInstructions(), first.lock());
  QVERIFY(first.lock()->Visible());
  QCOMPARE(OpenInstructionsWindows(), 1);

  // File > Close in it closes it; the next Info builds a new one afresh.
  EditOf(*first.lock())->verticalScrollBar()->setValue(200);
  Choose(*first.lock(), "CloseMenuItem");
  QVERIFY(!LiveInstructions());
  QVERIFY(first.expired());
  QVERIFY(main->IsOpen());
  QVERIFY(!fw::RuntimeIsQuitting());

  QTest::mouseClick(info, Qt::LeftButton);
  auto second = LiveInstructions();
  QVERIFY(second);
  QVERIFY(second->Visible());
  QCOMPARE(OpenInstructionsWindows(), 1);
  QCOMPARE(second->DescribeFld2()->Text(), infowindows::HelpText());
  QCOMPARE(BoldText(*EditOf(*second)), QStringLiteral("Quillmere"));
  QCOMPARE(EditOf(*second)->verticalScrollBar()->value(), 0);

  QCOMPARE(second->CloseMenuItem_Action(), false);
  QVERIFY(!LiveInstructions());
}

void tst_DescriptionWnd::windowControlShowsTheMainWindowAndStaysOpen() {
  auto main = implicit::ControlWnd();
  auto window = implicit::DescriptionWnd();
  main->Hide();
  Choose(*window, "ControlMenuItem");
  QVERIFY(main->Visible());
  QCOMPARE(implicit::ControlWnd(), main);
  QVERIFY(window->IsOpen());
  QVERIFY(window->Visible());

  main->Hide();
  QCOMPARE(window->ControlMenuItem_Action(), false);
  QVERIFY(main->Visible());
  QVERIFY(window->Visible());
}

void tst_DescriptionWnd::servesOnlyControlCloseAndCopy() {
  auto main = implicit::ControlWnd();
  auto window = implicit::DescriptionWnd();
  // The main window's state does not carry over into this window's menus.
  EnabledItems(*main);
  QCOMPARE(EnabledItems(*window),
           (QStringList{"CloseMenuItem", "FileQuit", "EditCopy", "ControlMenuItem"}));
  QStringList handled;
  for (const char* name : kMenuItemNames) {
    if (window->MenuHandlerFor(name)) {
      handled << name;
    }
  }
  QCOMPARE(handled, (QStringList{"ControlMenuItem", "CloseMenuItem"}));
}

void tst_DescriptionWnd::textAreaFollowsTheWindowSize_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("as laid out") << QSize(450, 500);
  QTest::newRow("larger") << QSize(900, 1000);
  QTest::newRow("wide and low") << QSize(1200, 200);
  QTest::newRow("smallest") << QSize(64, 64);
}

void tst_DescriptionWnd::textAreaFollowsTheWindowSize() {
  QFETCH(QSize, size);
  auto window = implicit::DescriptionWnd();
  QMainWindow* frame = fw::testing::WidgetOf(*window);
  QWidget* client = fw::testing::ClientOf(*window);
  QVERIFY(QTest::qWaitForWindowExposed(frame));
  frame->resize(size + QSize(0, frame->height() - client->height()));
  QTRY_COMPARE(client->size(), size);
  // One unit beyond the left, top and right edges, 16 short of the bottom.
  QTRY_COMPARE(EditOf(*window)->geometry(), QRect(-1, -1, size.width() + 2, size.height() - 15));
}

void tst_DescriptionWnd::sampleOutputIsWhatCalculateGives() {
  const QStringList lines = HelpLines();
  QCOMPARE(lines.at(10), QStringLiteral("The correlation matrix:"));
  const QString matrix = lines.mid(11, 5).join(QStringLiteral("\r\n"));
  QCOMPARE(lines.at(17), QStringLiteral("R               SMC"));
  QString expected;
  for (QString line : lines.mid(18, 5)) {
    QVERIFY2(line.contains(QStringLiteral("\t    ")), qPrintable(line));
    expected +=
        line.replace(QStringLiteral("\t    "), QStringLiteral("\t")) + QStringLiteral("\r\n");
  }

  auto main = implicit::ControlWnd();
  QTest::keyClicks(fw::testing::WidgetOf(*main->Nvariables()), QStringLiteral("5"));
  main->corrFld()->SetText(matrix.toStdString());
  QTest::mouseClick(fw::testing::WidgetOf(*main->CalculateBtn()), Qt::LeftButton);
  QCOMPARE(QString::fromStdString(main->mcFld()->Text()), expected);
}

QTEST_MAIN(tst_DescriptionWnd)
#include "tst_description_wnd.moc"
