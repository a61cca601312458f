// The shared menu bar: its model, as every window class reaches it, and its
// Qt views, as the user sees and uses them.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "analysis/control_wnd.h"
#include "app/menu.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "infowindows/about_wnd.h"
#include "infowindows/description_wnd.h"
#include "matrix/binding/plugin_entrypoints.h"

namespace {

QStringList ChildNames(const fw::MenuItem& item) {
  QStringList names;
  for (const auto& child : item.Children()) {
    names << QString::fromStdString(child->Name());
  }
  return names;
}

fw::Ref<ProgramWindow> WindowOfClass(const QString& className) {
  if (className == "ControlWnd") {
    return implicit::ControlWnd();
  }
  if (className == "AboutWnd") {
    return implicit::AboutWnd();
  }
  return implicit::DescriptionWnd();
}

}  // namespace

class tst_Menu : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fw::RuntimeInit(nullptr, nullptr, L"", 0);
    InitPluginEntrypoints();
  }
  void cleanup() { fw::testing::ResetRunState(); }

  void fourTopLevelMenusInOrder();
  void entries_data();
  void entries();
  void editMenuOrderAndSeparator();
  void oneSharedBarForEveryWindow();
  void fileQuitAccessorGivesTheQuitItem_data();
  void fileQuitAccessorGivesTheQuitItem();
  void accessorsOfTwoWindowsGiveOneEntry();
  void accessorWithoutABarRaises();
  void everyWindowShowsTheSameMenus_data();
  void everyWindowShowsTheSameMenus();
  void ctrlCCopiesTheSelectionInTheResults();
};

void tst_Menu::fourTopLevelMenusInOrder() {
  auto bar = implicit::Menu();
  QCOMPARE(ChildNames(*bar), (QStringList{"UntitledMenu3", "FileMenu", "EditMenu", "WindowMenu"}));
  const auto& empty = bar->Children().front();
  QCOMPARE(empty->Text(), std::string());
  QVERIFY(empty->Children().empty());
  QCOMPARE(ChildNames(*bar->Child("FileMenu")), (QStringList{"CloseMenuItem", "FileQuit"}));
  QCOMPARE(ChildNames(*bar->Child("WindowMenu")),
           (QStringList{"ControlMenuItem", "AboutMenuItem", "DescriptionMenuItem"}));
}

void tst_Menu::entries_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("shortcut");
  QTest::addColumn<bool>("autoEnable");
  QTest::addColumn<bool>("quitItem");
  QTest::addColumn<int>("role");
  auto row = [](const char* name, const char* parent, const char* caption, const char* shortcut,
                bool autoEnable, bool quitItem, fw::MenuRole role = fw::MenuRole::None) {
    QTest::newRow(name) << name << parent << caption << shortcut << autoEnable << quitItem
                        << static_cast<int>(role);
  };
  row("UntitledMenu3", "", "", "", false, false);
  row("FileMenu", "", "File", "", false, false);
  row("CloseMenuItem", "FileMenu", "Close", "", true, false);
  row("FileQuit", "FileMenu", "Quit", "Ctrl+Q", true, true, fw::MenuRole::Quit);
  row("EditMenu", "", "Edit", "", false, false);
  row("EditUndo", "EditMenu", "Undo", "Ctrl+Z", false, false, fw::MenuRole::Undo);
  row("UntitledMenu1", "EditMenu", "-", "", false, false);
  row("EditCut", "EditMenu", "Cut", "Ctrl+X", false, false, fw::MenuRole::Cut);
  row("EditCopy", "EditMenu", "Copy", "Ctrl+C", false, false, fw::MenuRole::Copy);
  row("EditPaste", "EditMenu", "Paste", "Ctrl+V", false, false, fw::MenuRole::Paste);
  row("WindowMenu", "", "Window", "", false, false);
  row("ControlMenuItem", "WindowMenu", "Control", "", false, false);
  row("AboutMenuItem", "WindowMenu", "About Quillmere", "", false, false);
  row("DescriptionMenuItem", "WindowMenu", "Instructions", "", false, false);
}

void tst_Menu::entries() {
  QFETCH(QString, name);
  QFETCH(QString, parent);
  QFETCH(QString, caption);
  QFETCH(QString, shortcut);
  QFETCH(bool, autoEnable);
  QFETCH(bool, quitItem);
  QFETCH(int, role);
  auto bar = implicit::Menu();
  auto entry = bar->Lookup(name.toStdString());
  QVERIFY(entry);
  const fw::MenuItem* expectedParent =
      parent.isEmpty() ? bar.get() : bar->Child(parent.toStdString()).get();
  QCOMPARE(entry->Parent(), expectedParent);
  QCOMPARE(QString::fromStdString(entry->Text()), caption);
  QCOMPARE(QString::fromStdString(entry->CommandKey()), shortcut);
  QCOMPARE(entry->AutoEnable(), autoEnable);
  QCOMPARE(entry->Class().IsA(fw::QuitMenuItem::Lookup()), quitItem);
  QCOMPARE(static_cast<int>(entry->Role()), role);
  QVERIFY(entry->Visible());
}

void tst_Menu::editMenuOrderAndSeparator() {
  auto edit = implicit::Menu()->Child("EditMenu");
  QCOMPARE(ChildNames(*edit),
           (QStringList{"EditUndo", "UntitledMenu1", "EditCut", "EditCopy", "EditPaste"}));
  auto separator = edit->Children().at(1);
  QVERIFY(separator->IsSeparator());
  QVERIFY(separator->CommandKey().empty());

  // As shown: the separator is a real separator line.
  auto window = implicit::AboutWnd();
  QMenu* menu = fw::testing::WidgetOf(*window)->menuBar()->findChild<QMenu*>("EditMenu");
  QVERIFY(menu);
  QVERIFY(menu->actions().at(1)->isSeparator());
  QCOMPARE(menu->actions().at(1)->objectName(), QStringLiteral("UntitledMenu1"));
}

void tst_Menu::oneSharedBarForEveryWindow() {
  auto bar = implicit::Menu();
  QCOMPARE(implicit::Menu(), bar);
  const fw::MenuBar* shared = bar.get();
  QCOMPARE(implicit::AboutWnd()->MenuBar().get(), shared);
  QCOMPARE(implicit::ControlWnd()->MenuBar().get(), shared);
  QCOMPARE(implicit::DescriptionWnd()->MenuBar().get(), shared);
  // A new Instructions window after one was closed gets it too.
  implicit::DescriptionWnd()->Close();
  QVERIFY(!fw::GetImplicitWindow(DescriptionWnd::kClassName));
  QCOMPARE(implicit::DescriptionWnd()->MenuBar().get(), shared);
  QCOMPARE(implicit::Menu(), bar);
}

void tst_Menu::fileQuitAccessorGivesTheQuitItem_data() {
  QTest::addColumn<QString>("windowClass");
  QTest::newRow("ControlWnd") << "ControlWnd";
  QTest::newRow("AboutWnd") << "AboutWnd";
  QTest::newRow("DescriptionWnd") << "DescriptionWnd";
}

void tst_Menu::fileQuitAccessorGivesTheQuitItem() {
  QFETCH(QString, windowClass);
  auto window = WindowOfClass(windowClass);
  fw::Ref<fw::QuitMenuItem> quit = window->FileQuit();
  QVERIFY(quit);
  QVERIFY(quit->Class().IsA(fw::QuitMenuItem::Lookup()));
  QCOMPARE(quit->Name(), std::string("FileQuit"));
  QCOMPARE(quit, std::static_pointer_cast<fw::QuitMenuItem>(implicit::Menu()->Lookup("FileQuit")));
}

void tst_Menu::accessorsOfTwoWindowsGiveOneEntry() {
  auto main = implicit::ControlWnd();
  auto instructions = implicit::DescriptionWnd();
  QCOMPARE(main->EditCopy(), instructions->EditCopy());
  QCOMPARE(main->WindowMenu(), implicit::AboutWnd()->WindowMenu());

  // Enabled through one window's accessor is enabled for every window.
  main->EditCopy()->SetEnabled(false);
  QVERIFY(!instructions->EditCopy()->Enabled());
  QAction* mainCopy = fw::testing::WidgetOf(*main)->menuBar()->findChild<QAction*>("EditCopy");
  QAction* instructionsCopy =
      fw::testing::WidgetOf(*instructions)->menuBar()->findChild<QAction*>("EditCopy");
  QVERIFY(!mainCopy->isEnabled());
  QVERIFY(!instructionsCopy->isEnabled());
  instructions->EditCopy()->SetEnabled(true);
  QVERIFY(mainCopy->isEnabled());
}

void tst_Menu::accessorWithoutABarRaises() {
  // A window object that was never built carries no bar.
  auto unbuilt = fw::RuntimeCheckCast<AboutWnd>(fw::RuntimeNewObject(AboutWnd::Lookup()));
  QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, unbuilt->EditCopy());
  QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, unbuilt->FileQuit());
}

void tst_Menu::everyWindowShowsTheSameMenus_data() {
  fileQuitAccessorGivesTheQuitItem_data();
}

void tst_Menu::everyWindowShowsTheSameMenus() {
  QFETCH(QString, windowClass);
  auto window = WindowOfClass(windowClass);
  QMenuBar* bar = fw::testing::WidgetOf(*window)->menuBar();
  // The empty first menu is not shown.
  QStringList menus;
  QStringList items;
  for (QAction* top : bar->actions()) {
    menus << top->text();
    for (QAction* action : top->menu()->actions()) {
      items << (action->isSeparator()
                    ? QStringLiteral("-")
                    : action->text() + QLatin1Char('|') + action->shortcut().toString());
    }
  }
  QCOMPARE(menus, (QStringList{"File", "Edit", "Window"}));
  QCOMPARE(items,
           (QStringList{"Close|", "Quit|Ctrl+Q", "Undo|Ctrl+Z", "-", "Cut|Ctrl+X", "Copy|Ctrl+C",
                        "Paste|Ctrl+V", "Control|", "About Quillmere|", "Instructions|"}));
}

void tst_Menu::ctrlCCopiesTheSelectionInTheResults() {
  // The splash first, as at start-up: the main window's activation hides it.
  implicit::AboutWnd()->Hide();
  auto main = implicit::ControlWnd();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main)));
  QTest::keyClicks(fw::testing::WidgetOf(*main->Nvariables()), QStringLiteral("3"));
  main->corrFld()->SetText("1\t0.5\t0\r\n0.5\t1\t0\r\n0\t0\t1\r\n");
  QTest::mouseClick(fw::testing::WidgetOf(*main->CalculateBtn()), Qt::LeftButton);
  auto* results = qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*main->mcFld()));
  QVERIFY(results->isVisible());
  QCOMPARE(main->mcFld()->Text(),
           std::string("0.5000\t0.2500\r\n0.5000\t0.2500\r\n0.0000\t0.0000\r\n"));

  // The second line, selected as with the mouse.
  QTest::mouseClick(results->viewport(), Qt::LeftButton);
  QTextCursor cursor = results->textCursor();
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::NextBlock);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  results->setTextCursor(cursor);
  QApplication::clipboard()->clear();
  QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.5000\t0.2500"));
  QCOMPARE(main->mcFld()->SelectedText(), std::string("0.5000\t0.2500"));
}

QTEST_MAIN(tst_Menu)
#include "tst_menu.moc"
