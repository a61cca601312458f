// The framework's windows and controls through real Qt widgets: layouts
// applied from property lists, the implicit instance, event order, the
// background-task yield and the report of an unhandled exception.

#include <qpa/qwindowsysteminterface.h>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <functional>
#include <thread>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/dialogs.h"
#include "framework/menu.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "framework/window.h"
#include "modal_answerer.h"

namespace {

// A small window class of the kind the program writes.
class ProbeWindow : public fw::Window {
 public:
  static const fw::ClassRecord& Lookup() {
    static const fw::ClassRecord* record = nullptr;
    return fw::BuildClassRecordOnce(record, [](fw::ClassRecord& r) {
      r.name = "ProbeWindow.ProbeWindow";
      r.super = &fw::Window::Lookup();
      r.events = {fw::WindowEvent::Layout, fw::WindowEvent::CreateControls,
                  fw::WindowEvent::EnableMenuItems};
      r.factory = [] { return std::make_shared<ProbeWindow>(); };
    });
  }
  const fw::ClassRecord& Class() const override { return Lookup(); }

  void Layout() override {
    if (bar) {
      SetMenuBar(bar);
    }
    fw::SetProperties(*this, fw::PropertyList{{"Width", 320},
                                              {"Height", 200},
                                              {"Title", "Probe"},
                                              {"Resizeable", false},
                                              {"HasBackgroundColor", true},
                                              {"BackgroundColor", fw::Color{0x00FFFFFF}},
                                              {"Visible", true}});
  }

  void CreateControls() override {
    if (failNextBuild) {
      failNextBuild = false;
      throw fw::RuntimeException("build failed");
    }
    auto field = fw::RuntimeCheckCast<fw::TextField>(New(fw::TextField::Lookup()));
    field->Constructor();
    AddControl("field", field);
    fw::SetProperties(*field, fw::PropertyList{{"Name", "field"},
                                               {"Left", 10},
                                               {"Top", 20},
                                               {"Width", 100},
                                               {"Height", 22},
                                               {"FontName", "System"},
                                               {"FontSize", 12.0f},
                                               {"Value", "seven"},
                                               {"MaximumCharactersAllowed", 2}});
    auto area = fw::RuntimeCheckCast<fw::TextArea>(New(fw::TextArea::Lookup()));
    area->Constructor();
    AddControl("area", area);
    fw::SetProperties(*area, fw::PropertyList{{"Left", 10},
                                              {"Top", 50},
                                              {"Width", 200},
                                              {"Height", 100},
                                              {"Bold", true},
                                              {"Visible", false}});
    fw::RuntimeAddEventHandler(*area, fw::EventNumber::Open,
                               fw::RuntimeCreateDelegate(&ProbeWindow::AreaOpen, this));
    auto button = fw::RuntimeCheckCast<fw::PushButton>(New(fw::PushButton::Lookup()));
    button->Constructor();
    AddControl("button", button);
    fw::SetProperties(
        *button,
        fw::PropertyList{
            {"Left", 220}, {"Top", 160}, {"Width", 80}, {"Height", 30}, {"Caption", "Go"}});
    fw::RuntimeAddEventHandler(*button, fw::EventNumber::Action,
                               fw::RuntimeCreateDelegate(&ProbeWindow::ButtonAction, this));
  }

  void Event_EnableMenuItems() override {
    if (enableMenuItems) {
      enableMenuItems(*this);
    }
  }

  void AreaOpen(fw::TextArea& area) {
    openSawHandler = area.HasEventHandler(fw::EventNumber::Open);
    ++opens;
  }
  void ButtonAction(fw::PushButton&) {
    ++clicks;
    if (throwOnClick) {
      throw fw::NilObjectException("probe failure");
    }
    if (boxOnClick) {
      fw::MsgBox("Wait.");
      events << "box closed";
    }
    if (yieldOnClick) {
      // A second click queued while this runs must not be delivered here.
      const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
      while (std::chrono::steady_clock::now() < until) {
        fw::BackgroundTaskYield();
      }
      maxDepth = std::max(maxDepth, clicks - finished);
      ++finished;
    }
  }

  static inline bool failNextBuild = false;
  static inline std::function<void(ProbeWindow&)> enableMenuItems;
  static inline fw::Ref<fw::MenuBar> bar;
  int opens = 0, clicks = 0, finished = 0, maxDepth = 0;
  bool openSawHandler = false, throwOnClick = false, yieldOnClick = false, boxOnClick = false;
  QStringList events;
};

class PressCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::MouseButtonPress;
    return false;
  }
};

fw::Ref<ProbeWindow> Probe() {
  if (auto live = fw::GetImplicitWindow(ProbeWindow::Lookup().name)) {
    return fw::RuntimeCheckCast<ProbeWindow>(live);
  }
  auto w = fw::RuntimeCheckCast<ProbeWindow>(fw::RuntimeNewObject(ProbeWindow::Lookup()));
  w->Constructor();
  return w;
}

// Notes how each message box looked when it came up.
class BoxWatcher : public QObject {
 public:
  struct Box {
    QString title;
    QMessageBox::Icon icon;
    bool modal;
  };
  BoxWatcher() { qApp->installEventFilter(this); }
  ~BoxWatcher() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
      seen.append({box->windowTitle(), box->icon(), box->isModal()});
    }
    return false;
  }
  QList<Box> seen;
};

// A bar with one menu holding one entry of that name and role.
fw::Ref<fw::MenuBar> BarWithEntry(const std::string& name, fw::MenuRole role) {
  auto bar = std::make_shared<fw::MenuBar>();
  auto menu = std::make_shared<fw::MenuItem>();
  menu->SetName("Things");
  menu->SetText("Things");
  auto entry = std::make_shared<fw::MenuItem>();
  entry->SetName(name);
  entry->SetText(name);
  entry->SetRole(role);
  entry->SetAutoEnable(true);
  menu->AddMenu(entry);
  bar->AddMenu(menu);
  return bar;
}

// Chooses the entry from the probe's menu bar.
void ChooseEntry(const fw::Window& window, const std::string& name) {
  auto* action =
      fw::testing::WidgetOf(window)->menuBar()->findChild<QAction*>(QString::fromStdString(name));
  QVERIFY(action);
  action->trigger();
}

}  // namespace

class tst_FrameworkWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { fw::RuntimeInit(nullptr, nullptr, L"", 0); }
  void cleanup() {
    ProbeWindow::enableMenuItems = nullptr;
    fw::testing::ResetRunState();
  }

  void layoutIsApplied() {
    auto w = Probe();
    QMainWindow* main = fw::testing::WidgetOf(*w);
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->windowTitle(), QStringLiteral("Probe"));
    QCOMPARE(fw::testing::ClientOf(*w)->size(), QSize(320, 200));
    auto field = fw::RuntimeCheckCast<fw::TextField>(w->ControlByName("field"));
    auto* edit = qobject_cast<QLineEdit*>(fw::testing::WidgetOf(*field));
    QVERIFY(edit);
    QCOMPARE(edit->geometry(), QRect(10, 20, 100, 22));
    QCOMPARE(edit->font().pixelSize(), 12);
    // The length limit came after the text: the text is cut to it.
    QCOMPARE(field->Text(), std::string("se"));
    auto area = fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("area"));
    QVERIFY(!area->Visible());
    QVERIFY(fw::testing::WidgetOf(*area)->font().bold());
  }

  void implicitInstanceLivesUntilClosed() {
    auto first = Probe();
    QCOMPARE(Probe().get(), first.get());
    first->Close();
    QVERIFY(!fw::GetImplicitWindow(ProbeWindow::Lookup().name));
    auto second = Probe();
    QVERIFY(second.get() != first.get());
  }

  void aWindowThatFailsToBuildIsNotKept() {
    ProbeWindow::failNextBuild = true;
    QVERIFY_THROWS_EXCEPTION(fw::RuntimeException, Probe());
    QVERIFY(!fw::GetImplicitWindow(ProbeWindow::Lookup().name));
    auto w = Probe();
    QVERIFY(w->Visible());
    QCOMPARE(w->opens, 1);
  }

  void openComesAfterItsHandler() {
    auto w = Probe();
    QCOMPARE(w->opens, 1);
    QVERIFY(w->openSawHandler);
  }

  void textAreaKeepsCrLf() {
    auto w = Probe();
    auto area = fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("area"));
    area->SetText("a\tb\r\nc\rd\ne");
    QCOMPARE(area->Text(), std::string("a\tb\r\nc\r\nd\r\ne"));
    area->SetText(area->Text() + "\r\nf\r\n");  // appended, not re-set
    QCOMPARE(area->Text(), std::string("a\tb\r\nc\r\nd\r\ne\r\nf\r\n"));
    QCOMPARE(qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*area))->toPlainText(),
             QStringLiteral("a\tb\nc\nd\ne\nf\n"));
    area->SetText("");
    QCOMPARE(area->Text(), std::string());
  }

  // The yield lets timers through; a click one of them makes waits until the
  // running command has finished, so a command never runs inside another.
  void aSecondCommandWaitsForTheRunningOne() {
    auto w = Probe();
    w->yieldOnClick = true;
    auto button = fw::RuntimeCheckCast<fw::PushButton>(w->ControlByName("button"));
    auto* push = qobject_cast<QPushButton*>(fw::testing::WidgetOf(*button));
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    // A second click arrives while the first command still runs.
    QTimer::singleShot(10, [push] { QTest::mouseClick(push, Qt::LeftButton); });
    QTest::mouseClick(push, Qt::LeftButton);
    QTRY_COMPARE(w->finished, 2);
    QCOMPARE(w->maxDepth, 1);
  }

  // A timer that fires while a command's message box is open waits for the
  // command to end, and waiting wakes nothing: an open box costs no CPU.
  void aCommandWaitingBehindAMessageBoxCostsNothing() {
    auto w = Probe();
    w->boxOnClick = true;
    auto timer = fw::RuntimeCheckCast<fw::Timer>(w->New(fw::Timer::Lookup()));
    w->AddControl("timer", timer);
    fw::RuntimeAddEventHandler(*timer, fw::EventNumber::Action,
                               [&w](fw::Control&, const fw::EventArgs&) {
                                 w->events << "timer";
                                 return false;
                               });
    auto button = fw::RuntimeCheckCast<fw::PushButton>(w->ControlByName("button"));
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    int wakes = 0;
    const QMetaObject::Connection counting =
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                [&wakes] { ++wakes; });
    // The user reads the box for half a second; the timer fires meanwhile.
    QTimer::singleShot(500, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->accept();
      }
    });
    timer->SetPeriod(1);
    timer->SetRunMode(1);
    QTest::mouseClick(fw::testing::WidgetOf(*button), Qt::LeftButton);
    disconnect(counting);
    QTRY_COMPARE(w->events, (QStringList{"box closed", "timer"}));
    // Waiting by polling wakes the loop every millisecond, some 500 times.
    QVERIFY2(wakes < 50, qPrintable(QString::number(wakes) + " wake-ups"));
  }

  // A click the platform queues while a command runs stays queued through the
  // command's yields and arrives only after it.
  void yieldDeliversNoUserInput() {
    auto w = Probe();
    auto button = fw::RuntimeCheckCast<fw::PushButton>(w->ControlByName("button"));
    QWidget* push = fw::testing::WidgetOf(*button);
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    PressCounter presses;
    push->installEventFilter(&presses);
    QWindow* window = push->window()->windowHandle();
    const QPointF local = push->mapTo(push->window(), push->rect().center());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QWindowSystemInterface::handleMouseEvent(
          window, local, window->mapToGlobal(local),
          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    while (std::chrono::steady_clock::now() < until) {
      fw::BackgroundTaskYield();
    }
    QCOMPARE(presses.count, 0);
    QTRY_COMPARE(presses.count, 1);
  }

  // The report leads with the message and names the class only in a detail
  // line; it and the message boxes carry the application object's title.
  void unhandledExceptionIsReportedAndTheProgramGoesOn() {
    auto app = std::make_shared<fw::Application>();
    app->SetTitle("Probe Program");
    fw::RuntimeRegisterAppObject(app);
    auto w = Probe();
    w->throwOnClick = true;
    auto button = fw::RuntimeCheckCast<fw::PushButton>(w->ControlByName("button"));
    BoxWatcher boxes;
    test_support::ModalAnswerer answers;
    QTest::mouseClick(fw::testing::WidgetOf(*button), Qt::LeftButton);
    fw::MsgBox("Plain message.");
    fw::RuntimeRegisterAppObject(nullptr);
    QCOMPARE(answers.Reports(), QStringList{"probe failure\n\nDetail: NilObjectException"});
    QCOMPARE(answers.Messages(), QStringList{"Plain message."});
    QCOMPARE(boxes.seen.size(), 2);
    for (const BoxWatcher::Box& box : boxes.seen) {
      QCOMPARE(box.title, QStringLiteral("Probe Program"));
      QVERIFY(box.modal);
    }
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QVERIFY(w->IsOpen());
    QVERIFY(!fw::RuntimeIsQuitting());
  }

  // The editing commands go to the focused text by the entry's role; its
  // name means nothing to the framework.
  void editingRolesActOnTheFocusedText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("clipboardAfter");
    auto row = [](const char* tag, const char* name, fw::MenuRole role, const char* typed,
                  const char* text, const char* clipboard) {
      QTest::newRow(tag) << name << static_cast<int>(role) << typed << text << clipboard;
    };
    row("copy", "Duplicate", fw::MenuRole::Copy, "", "ab", "ab");
    row("cut", "Snip", fw::MenuRole::Cut, "", "", "ab");
    row("paste", "Insert", fw::MenuRole::Paste, "", "zz", "zz");
    row("undo", "Back", fw::MenuRole::Undo, "c", "ab", "zz");
    row("a name alone does nothing", "EditCopy", fw::MenuRole::None, "", "ab", "zz");
  }
  void editingRolesActOnTheFocusedText() {
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, typedFirst);
    QFETCH(QString, textAfter);
    QFETCH(QString, clipboardAfter);
    ProbeWindow::bar = BarWithEntry(name.toStdString(), static_cast<fw::MenuRole>(role));
    auto w = Probe();
    ProbeWindow::bar = nullptr;
    auto area = fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("area"));
    area->SetVisible(true);
    area->SetText("ab");
    auto* edit = qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*area));
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    QTest::keyClicks(edit, typedFirst);
    ChooseEntry(*w, name.toStdString());
    QCOMPARE(edit->toPlainText(), textAfter);
    QCOMPARE(QApplication::clipboard()->text(), clipboardAfter);
  }

  // An entry in the Quit role quits when no handler takes it, whatever its
  // class and name; a handler that takes it keeps the program running.
  void aQuitEntryQuitsUnlessHandled() {
    ProbeWindow::bar = BarWithEntry("Leave", fw::MenuRole::Quit);
    auto w = Probe();
    ProbeWindow::bar = nullptr;
    int handled = 0;
    w->AddMenuHandler("Leave", [&handled] { return ++handled, false; });
    ChooseEntry(*w, "Leave");
    QCOMPARE(handled, 1);
    QVERIFY(!fw::RuntimeIsQuitting());
    // Gone without Close, which would quit by itself as the last window.
    w->Discard();
    ProbeWindow::bar = BarWithEntry("Leave", fw::MenuRole::Quit);
    auto unhandled = Probe();
    ProbeWindow::bar = nullptr;
    QVERIFY(!fw::RuntimeIsQuitting());
    ChooseEntry(*unhandled, "Leave");
    QVERIFY(fw::RuntimeIsQuitting());
    QCOMPARE(fw::testing::LastExitCode(), 0);
  }

  // Before a shortcut acts, the entries get their state as before a menu
  // opens: the shortcut follows what EnableMenuItems says at the press, not
  // what it said at the window's activation.
  void aShortcutFollowsTheEnablingPassBeforeIt() {
    ProbeWindow::bar = BarWithEntry("Go", fw::MenuRole::None);
    fw::Ref<fw::MenuItem> go = ProbeWindow::bar->Lookup("Go");
    go->SetAutoEnable(false);
    go->SetCommandKey("Ctrl+G");
    bool allowed = false;
    ProbeWindow::enableMenuItems = [&allowed](ProbeWindow& w) {
      w.MenuBar()->Lookup("Go")->SetEnabled(allowed);
    };
    auto w = Probe();
    ProbeWindow::bar = nullptr;
    int runs = 0;
    w->AddMenuHandler("Go", [&runs] { return ++runs, true; });
    QWidget* frame = fw::testing::WidgetOf(*w);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    int expected = 0;
    for (bool allow : {true, false, true}) {
      allowed = allow;
      expected += allow;
      QTest::keyClick(frame, Qt::Key_G, Qt::ControlModifier);
      QCOMPARE(runs, expected);
    }
  }

  // Whether a selection shows while another control has the focus, compared
  // as painted: with HideSelection the area looks as if nothing were
  // selected.
  void selectionWithoutFocus_data() {
    QTest::addColumn<bool>("hide");
    QTest::newRow("hidden") << true;
    QTest::newRow("kept in sight") << false;
  }
  void selectionWithoutFocus() {
    QFETCH(bool, hide);
    auto w = Probe();
    auto area = fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("area"));
    fw::SetProperties(
        *area,
        fw::PropertyList{{"HideSelection", hide}, {"Value", "some text"}, {"Visible", true}});
    auto* edit = qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*area));
    QWidget* field =
        fw::testing::WidgetOf(*fw::RuntimeCheckCast<fw::TextField>(w->ControlByName("field")));
    QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*w)));
    QTest::mouseClick(field, Qt::LeftButton);
    const QImage nothingSelected = edit->viewport()->grab().toImage();

    QTest::mouseClick(edit->viewport(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(edit->textCursor().hasSelection());
    QVERIFY(edit->viewport()->grab().toImage() != nothingSelected);

    QTest::mouseClick(field, Qt::LeftButton);
    QVERIFY(!edit->hasFocus());
    QVERIFY(edit->textCursor().hasSelection());
    QCOMPARE(edit->viewport()->grab().toImage() == nothingSelected, hide);
  }

  // A read-only area takes the focus and paints no text cursor; its text can
  // still be selected and copied from the keyboard.
  void readOnlyAreaShowsNoTextCursor() {
    auto w = Probe();
    auto area = fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("area"));
    fw::SetProperties(
        *area, fw::PropertyList{{"ReadOnly", true}, {"Value", "read only"}, {"Visible", true}});
    auto* edit = qobject_cast<QTextEdit*>(fw::testing::WidgetOf(*area));
    QVERIFY(QTest::qWaitForWindowActive(fw::testing::WidgetOf(*w)));
    QVERIFY(!edit->hasFocus());
    const QImage withoutFocus = edit->viewport()->grab().toImage();
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->viewport()->grab().toImage(), withoutFocus);

    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("read only"));
    QCOMPARE(area->Text(), std::string("read only"));
  }

  void castToTheWrongClassRaises() {
    auto w = Probe();
    QVERIFY_THROWS_EXCEPTION(fw::IllegalCastException,
                             fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("field")));
    QVERIFY(!fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName("nothing")));
  }
};

QTEST_MAIN(tst_FrameworkWindow)
#include "tst_framework_window.moc"
