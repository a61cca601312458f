// The splash window through its real widgets: its layout, the shared menu
// bar, and the hand-over to the main window by timer, key and mouse.

#include <QAbstractScrollArea>
#include <QAction>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include "analysis/control_wnd.h"
#include "app/menu.h"
#include "app/notice.h"
#include "app/pictures.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "infowindows/about_wnd.h"
#include "program_test_support.h"

namespace {

fw::Ref<ControlWnd> LiveMainWindow() {
  return fw::RuntimeCheckCast<ControlWnd>(fw::GetImplicitWindow(ControlWnd::kClassName));
}

// Where a press lands: the window's client area, or the widget of one of its
// controls (the viewport, for a text area).
QWidget* PressTarget(const AboutWnd& splash, const QString& control) {
  if (control.isEmpty()) {
    return fw::testing::ClientOf(splash);
  }
  auto rect = fw::RuntimeCheckCast<fw::RectControl>(splash.ControlByName(control.toStdString()));
  QWidget* widget = fw::testing::WidgetOf(*rect);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
    return area->viewport();
  }
  return widget;
}

}  // namespace

class tst_AboutWnd : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { fw::RuntimeInit(nullptr, nullptr, L"", 0); }
  void cleanup() { fw::testing::ResetRunState(); }

  void opensWithItsLayout();
  void carriesTheFullSharedBarButEnablesNothing();
  void implementsOnlyItsFourEvents_data();
  void implementsOnlyItsFourEvents();
  void handsOverWhenLeftAlone();
  void keyPressHandsOverAtOnce_data();
  void keyPressHandsOverAtOnce();
  void mousePressHandsOverAtOnce_data();
  void mousePressHandsOverAtOnce();
  void keyAndMouseEventsReturnFalse();
  void modifierAloneKeepsTheSplash_data();
  void modifierAloneKeepsTheSplash();
  void ctrlQDuringTheSplashQuits();
  void aboutAfterTheCloseBoxShowsAtTheFirstChoice();
  void aboutShowsTheSplashThoughTheProgramIsHeldUp();
  void timerRunsTheHandOverAgainAfterAnEarlyPress();
};

void tst_AboutWnd::opensWithItsLayout() {
  auto splash = implicit::AboutWnd();
  QCOMPARE(implicit::AboutWnd().get(), splash.get());
  QMainWindow* frame = fw::testing::WidgetOf(*splash);
  QVERIFY(QTest::qWaitForWindowExposed(frame, test_support::kWindowSystemPatience));
  QVERIFY(splash->Visible());
  QCOMPARE(fw::testing::ClientOf(*splash)->size(), QSize(400, 400));
  QCOMPARE(frame->windowTitle(), QString());
  QVERIFY(frame->windowFlags().testFlag(Qt::Dialog));
  QVERIFY(frame->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

  // The title: "Quillmere", bold, at 24 once its Open handler has run.
  auto title = splash->TextField1();
  QCOMPARE(title->Text(), std::string("Quillmere"));
  QCOMPARE(title->Font().size, 24.0f);
  QVERIFY(title->Font().bold);
  QVERIFY(title->ReadOnly());
  QCOMPARE(title->Alignment(), fw::TextAlignment::Center);
  auto* titleEdit = qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*title));
  QCOMPARE(titleEdit->font().pixelSize(), 24);
  QVERIFY(titleEdit->font().bold());

  auto notice = splash->StaticText5();
  QCOMPARE(notice->Text(), std::string(kNotice));
  QCOMPARE(notice->Bounds(), (fw::Rect{1, 368, 399, 12}));

  auto canvas = splash->Canvas1();
  QVERIFY(canvas->Backdrop());
  QCOMPARE(canvas->Backdrop().get(), R256().get());
  QCOMPARE(canvas->Bounds(), (fw::Rect{74, 31, 251, 267}));

  // The timer is the window's own subclass, held among its controls.
  auto timer = splash->Timer1();
  QVERIFY(timer->Class().IsA(AboutWnd::wrapper_Timer1::Lookup()));
  QCOMPARE(timer->RunMode(), int64_t{1});
  QCOMPARE(timer->Period(), int64_t{4000});
  QCOMPARE(timer->OwnerWindow(), static_cast<fw::Window*>(splash.get()));
}

void tst_AboutWnd::carriesTheFullSharedBarButEnablesNothing() {
  auto splash = implicit::AboutWnd();
  QCOMPARE(splash->MenuBar().get(), static_cast<fw::MenuBar*>(implicit::Menu().get()));
  QMenuBar* bar = fw::testing::WidgetOf(*splash)->menuBar();
  QStringList menus;
  for (QAction* action : bar->actions()) {
    menus << action->menu()->objectName();
  }
  QCOMPARE(menus, (QStringList{"FileMenu", "EditMenu", "WindowMenu"}));

  // Opening a menu runs the enabling pass; with no EnableMenuItems of its own
  // only the two auto-enabled items are on.
  QStringList items, enabled;
  for (QAction* top : bar->actions()) {
    QMenu* menu = top->menu();
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
      items << action->objectName();
      if (action->isEnabled() && !action->isSeparator()) {
        enabled << action->objectName();
      }
    }
  }
  QCOMPARE(items, (QStringList{"CloseMenuItem", "FileQuit", "EditUndo", "UntitledMenu1", "EditCut",
                               "EditCopy", "EditPaste", "ControlMenuItem", "AboutMenuItem",
                               "DescriptionMenuItem"}));
  QCOMPARE(enabled, (QStringList{"CloseMenuItem", "FileQuit"}));
  QVERIFY(!splash->MenuHandlerFor("FileQuit"));
  QVERIFY(!splash->MenuHandlerFor("AboutMenuItem"));
}

void tst_AboutWnd::implementsOnlyItsFourEvents_data() {
  using E = fw::WindowEvent;
  QTest::addColumn<int>("event");
  QTest::addColumn<bool>("implemented");
  QTest::newRow("Layout") << int(E::Layout) << true;
  QTest::newRow("CreateControls") << int(E::CreateControls) << true;
  QTest::newRow("KeyDown") << int(E::KeyDown) << true;
  QTest::newRow("MouseDown") << int(E::MouseDown) << true;
  QTest::newRow("AddMenuHandlers") << int(E::AddMenuHandlers) << false;
  QTest::newRow("EnableMenuItems") << int(E::EnableMenuItems) << false;
  QTest::newRow("Activate") << int(E::Activate) << false;
  QTest::newRow("Close") << int(E::Close) << false;
}

void tst_AboutWnd::implementsOnlyItsFourEvents() {
  QFETCH(int, event);
  QFETCH(bool, implemented);
  QCOMPARE(implicit::AboutWnd()->IsEventImplemented(static_cast<fw::WindowEvent>(event)),
           implemented);
}

void tst_AboutWnd::handsOverWhenLeftAlone() {
  QElapsedTimer clock;
  clock.start();
  auto splash = implicit::AboutWnd();
  QVERIFY(!LiveMainWindow());
  QTest::qWait(3500);
  QVERIFY(splash->Visible());
  QVERIFY(!LiveMainWindow());
  QTRY_VERIFY_WITH_TIMEOUT(!splash->Visible(), 2000);
  QVERIFY2(clock.elapsed() >= 3990, qPrintable(QString::number(clock.elapsed())));
  // Hidden, not closed; the main window is made and shown.
  QVERIFY(splash->IsOpen());
  QCOMPARE(implicit::AboutWnd().get(), splash.get());
  auto main = LiveMainWindow();
  QVERIFY(main);
  QVERIFY(main->Visible());
}

void tst_AboutWnd::keyPressHandsOverAtOnce_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("key");
  QTest::newRow("window, letter") << "" << int(Qt::Key_A);
  QTest::newRow("window, Return") << "" << int(Qt::Key_Return);
  QTest::newRow("title, space") << "TextField1" << int(Qt::Key_Space);
  QTest::newRow("picture, Escape") << "Canvas1" << int(Qt::Key_Escape);
  QTest::newRow("notice, digit") << "StaticText5" << int(Qt::Key_7);
}

void tst_AboutWnd::keyPressHandsOverAtOnce() {
  QFETCH(QString, control);
  QFETCH(int, key);
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash),
                                       test_support::kWindowSystemPatience));
  QTest::keyClick(PressTarget(*splash, control), static_cast<Qt::Key>(key));
  QVERIFY(!splash->Visible());
  QVERIFY(splash->IsOpen());
  auto main = LiveMainWindow();
  QVERIFY(main);
  QVERIFY(main->Visible());
}

void tst_AboutWnd::mousePressHandsOverAtOnce_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("button");
  QTest::newRow("window, left") << "" << int(Qt::LeftButton);
  QTest::newRow("window, right") << "" << int(Qt::RightButton);
  QTest::newRow("title") << "TextField1" << int(Qt::LeftButton);
  QTest::newRow("picture") << "Canvas1" << int(Qt::LeftButton);
  QTest::newRow("notice") << "StaticText5" << int(Qt::LeftButton);
}

void tst_AboutWnd::mousePressHandsOverAtOnce() {
  QFETCH(QString, control);
  QFETCH(int, button);
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash),
                                       test_support::kWindowSystemPatience));
  QTest::mouseClick(PressTarget(*splash, control), static_cast<Qt::MouseButton>(button));
  QVERIFY(!splash->Visible());
  auto main = LiveMainWindow();
  QVERIFY(main);
  QVERIFY(main->Visible());
}

// A modifier pressed alone types nothing: it is no key press for the splash.
void tst_AboutWnd::modifierAloneKeepsTheSplash_data() {
  QTest::addColumn<int>("key");
  QTest::newRow("Control") << int(Qt::Key_Control);
  QTest::newRow("Shift") << int(Qt::Key_Shift);
  QTest::newRow("Alt") << int(Qt::Key_Alt);
  QTest::newRow("Meta") << int(Qt::Key_Meta);
  QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock);
}

void tst_AboutWnd::modifierAloneKeepsTheSplash() {
  QFETCH(int, key);
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*splash),
                                      test_support::kWindowSystemPatience));
  for (const QString& control : {QString(), QStringLiteral("TextField1")}) {
    QTest::keyClick(PressTarget(*splash, control), static_cast<Qt::Key>(key));
  }
  QVERIFY(splash->Visible());
  QVERIFY(!LiveMainWindow());
}

// Ctrl+Q during the splash: the Ctrl goes down first, and the Q still quits.
void tst_AboutWnd::ctrlQDuringTheSplashQuits() {
  auto splash = implicit::AboutWnd();
  QWidget* frame = fw::testing::WidgetOf(*splash);
  QVERIFY(QTest::qWaitForWindowActive(frame, test_support::kWindowSystemPatience));
  QTest::keyPress(frame, Qt::Key_Control, Qt::ControlModifier);
  QTest::keyClick(frame, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyRelease(frame, Qt::Key_Control);
  QVERIFY(fw::RuntimeIsQuitting());
  QCOMPARE(fw::testing::LastExitCode(), 0);
}

void tst_AboutWnd::keyAndMouseEventsReturnFalse() {
  auto splash = implicit::AboutWnd();
  for (const char* key : {"a", "", "\r", "\x1b", "\x7f", "9"}) {
    splash->Show();
    QCOMPARE(splash->Event_KeyDown(key), false);
    QVERIFY(!splash->Visible());
  }
  const std::pair<int64_t, int64_t> positions[] = {{0, 0}, {200, 200}, {-5, 1000}, {399, 399}};
  for (const auto& [x, y] : positions) {
    splash->Show();
    QCOMPARE(splash->Event_MouseDown(x, y), false);
    QVERIFY(!splash->Visible());
  }
  // Each hand-over reaches the one main window.
  QCOMPARE(fw::OpenWindows().size(), size_t{2});
}

void tst_AboutWnd::timerRunsTheHandOverAgainAfterAnEarlyPress() {
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash),
                                       test_support::kWindowSystemPatience));
  QTest::mouseClick(fw::testing::ClientOf(*splash), Qt::LeftButton);
  auto main = LiveMainWindow();
  QVERIFY(main && main->Visible());
  QVERIFY(!splash->Visible());
  // Its activation, which hides the splash too, is over before About.
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main),
                                      test_support::kWindowSystemPatience));

  // Window > About shows the splash again; the main window goes out of sight.
  main->AboutMenuItem_Action();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*splash),
                                      test_support::kWindowSystemPatience));
  main->Hide();
  QVERIFY(splash->Visible());

  // The timer, never stopped by the press, still fires once.
  QTRY_VERIFY_WITH_TIMEOUT(!splash->Visible(), 5000);
  QVERIFY(main->Visible());
  QCOMPARE(LiveMainWindow().get(), main.get());
  QVERIFY(splash->IsOpen());
}

// The About window closed with its close box, then Window > About: the new
// splash shows at the first choice, though the main window is activated
// again as the menu closes, and its own timer still hands over 4 s after it
// was made.
void tst_AboutWnd::aboutAfterTheCloseBoxShowsAtTheFirstChoice() {
  using test_support::Choose;
  auto first = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*first),
                                       test_support::kWindowSystemPatience));
  QTest::mouseClick(fw::testing::ClientOf(*first), Qt::LeftButton);
  auto main = LiveMainWindow();
  QMainWindow* mainFrame = fw::testing::WidgetOf(*main);
  QVERIFY(QTest::qWaitForWindowActive(mainFrame, test_support::kWindowSystemPatience));
  Choose(*main, "AboutMenuItem");
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*first),
                                      test_support::kWindowSystemPatience));

  // The close box: through the platform window, as the window system asks.
  QVERIFY(fw::testing::WidgetOf(*first)->windowHandle()->close());
  QVERIFY(!first->IsOpen());
  QVERIFY(QTest::qWaitForWindowActive(mainFrame, test_support::kWindowSystemPatience));
  QElapsedTimer sinceMade;
  sinceMade.start();
  // The main window's activation made a new splash and hid it.
  auto second = fw::RuntimeCheckCast<AboutWnd>(fw::GetImplicitWindow(AboutWnd::kClassName));
  QVERIFY(second && second.get() != first.get());
  QVERIFY(!second->Visible());

  Choose(*main, "AboutMenuItem");
  QMainWindow* secondFrame = fw::testing::WidgetOf(*second);
  QVERIFY(QTest::qWaitForWindowActive(secondFrame, test_support::kWindowSystemPatience));
  QTest::qWait(300);
  QVERIFY(second->Visible());
  QVERIFY(secondFrame->isActiveWindow());

  QTRY_VERIFY_WITH_TIMEOUT(!second->Visible(), 5000);
  QVERIFY2(sinceMade.elapsed() >= 3000, qPrintable(QString::number(sinceMade.elapsed())));
  QVERIFY(main->Visible());
}

// Window > About on a machine so busy that the program runs again only long
// after the menu closed: the focus that the window system hands back to the
// main window as its menu closes arrives after the splash was shown, and is
// no activation by the user, so the splash stays.
void tst_AboutWnd::aboutShowsTheSplashThoughTheProgramIsHeldUp() {
  auto splash = implicit::AboutWnd();
  QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*splash),
                                       test_support::kWindowSystemPatience));
  QTest::mouseClick(fw::testing::ClientOf(*splash), Qt::LeftButton);
  auto main = LiveMainWindow();
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*main),
                                      test_support::kWindowSystemPatience));

  test_support::Choose(*main, "AboutMenuItem");
  // Held up, as by a loaded machine: no event is handled meanwhile.
  QTest::qSleep(1500);
  QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*splash),
                                      test_support::kWindowSystemPatience));
  QVERIFY(splash->Visible());
}

QTEST_MAIN(tst_AboutWnd)
#include "tst_about_wnd.moc"
