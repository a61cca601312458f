// The framework's own rules, on the headless backend: no toolkit, an event
// loop that runs when the test says, and the test in the platform's place.
// The command queue, the enabling pass, showing, hiding and activation, and
// the close and quit rules are the shared code's; the Qt and Win32 tests keep
// what touches their platform.

#include <QtTest>
#include <functional>
#include <string>

#include "framework/controls.h"
#include "framework/headless/headless.h"
#include "framework/menu.h"
#include "framework/runtime.h"
#include "framework/src/gui/backend.h"
#include "framework/window.h"

namespace {

using fw::WindowEvent;

// A window of the kind the program writes, whose events the test shapes.
class RuleWindow : public fw::RegisteredClass<RuleWindow, fw::Window> {
 public:
  static constexpr std::string_view kClassName = "RuleWindow";
  static constexpr WindowEvent kEvents[] = {WindowEvent::Layout, WindowEvent::CreateControls,
                                            WindowEvent::Activate, WindowEvent::Close,
                                            WindowEvent::EnableMenuItems};

  // What the next window built does; cleared between test cases.
  static inline bool visibleByLayout = true;
  static inline std::function<void(RuleWindow&)> duringBuild;
  static inline fw::Ref<fw::MenuBar> bar;
  // The entry the window's EnableMenuItems enables, if any.
  static inline std::string enables;
  static inline QStringList log;

  void Layout() override {
    if (bar) {
      SetMenuBar(bar);
    }
    fw::SetProperties(*this, fw::PropertyList{{"Visible", visibleByLayout}});
  }
  void CreateControls() override {
    auto button = fw::RuntimeCheckCast<fw::PushButton>(New(fw::PushButton::Lookup()));
    button->Constructor();
    AddControl("go", button);
    if (duringBuild) {
      duringBuild(*this);
    }
  }
  void Event_Activate() override { log << "Activate"; }
  void Event_Close() override { log << "Close"; }
  void Event_EnableMenuItems() override {
    if (!enables.empty()) {
      MenuBar()->Lookup(enables)->SetEnabled(true);
    }
  }

  fw::PushButton& Go() const { return dynamic_cast<fw::PushButton&>(*ControlByName("go")); }
};

fw::Ref<RuleWindow> NewWindow() {
  auto w = fw::RuntimeCheckCast<RuleWindow>(fw::RuntimeNewObject(RuleWindow::Lookup()));
  w->Constructor();
  return w;
}

void OnGo(RuleWindow& w, std::function<void()> action) {
  fw::RuntimeAddEventHandler(w.Go(), fw::EventNumber::Action,
                             [action = std::move(action)](fw::Control&, const fw::EventArgs&) {
                               action();
                               return false;
                             });
}

// A bar with one menu holding the entry "Go", of that role and AutoEnable.
fw::Ref<fw::MenuBar> BarWithGo(fw::MenuRole role, bool autoEnable) {
  auto bar = std::make_shared<fw::MenuBar>();
  auto menu = std::make_shared<fw::MenuItem>();
  menu->SetName("Things");
  auto go = std::make_shared<fw::MenuItem>();
  go->SetName("Go");
  go->SetRole(role);
  go->SetAutoEnable(autoEnable);
  menu->AddMenu(go);
  bar->AddMenu(menu);
  return bar;
}

}  // namespace

class tst_FrameworkRules : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    fw::ResetRun();
    fw::headless::Reset();
    RuleWindow::visibleByLayout = true;
    RuleWindow::duringBuild = nullptr;
    RuleWindow::bar = nullptr;
    RuleWindow::enables.clear();
    RuleWindow::log.clear();
  }

  // A command that comes while another runs waits until the loop runs next;
  // one whose window has closed meanwhile is dropped; a command that raises
  // leaves none running.
  void commandsWait_data() {
    QTest::addColumn<bool>("closeDuringFirst");
    QTest::addColumn<bool>("firstRaises");
    QTest::addColumn<QStringList>("afterFirst");
    QTest::addColumn<QStringList>("afterLoop");
    const QStringList first{"first begins", "first ends"};
    QTest::newRow("waits") << false << false << first << (first + QStringList{"second"});
    QTest::newRow("window closed meanwhile") << true << false << first << first;
    QTest::newRow("first raises") << false << true << QStringList{"first begins"}
                                  << QStringList{"first begins", "second"};
  }

  void commandsWait() {
    QFETCH(bool, closeDuringFirst);
    QFETCH(bool, firstRaises);
    QFETCH(QStringList, afterFirst);
    QFETCH(QStringList, afterLoop);
    auto keep = NewWindow();  // so that closing the other does not quit
    auto w = NewWindow();
    QStringList log;
    int calls = 0;
    uint64_t running = 0;
    OnGo(*w, [&] {
      if (++calls > 1) {
        log << "second";
        return;
      }
      log << "first begins";
      running = fw::RunningCommand();
      w->Go().Push();
      if (closeDuringFirst) {
        w->Discard();
      }
      if (firstRaises) {
        throw fw::RuntimeException("first fails");
      }
      log << "first ends";
    });
    fw::headless::RunPostedWork();
    w->Go().Push();
    QCOMPARE(log, afterFirst);
    QVERIFY(running != 0);
    QCOMPARE(fw::RunningCommand(), uint64_t{0});
    QCOMPARE(fw::headless::ReportsShown(), firstRaises ? 1 : 0);
    fw::headless::RunPostedWork();
    QCOMPARE(log, afterLoop);
  }

  // Before a menu acts (opening, a shortcut) and after an activation, every
  // leaf entry goes back to its AutoEnable and the window's EnableMenuItems
  // has its say; a disabled entry's handlers do not run.
  void enablingPass_data() {
    QTest::addColumn<bool>("autoEnable");
    QTest::addColumn<bool>("windowEnables");
    QTest::addColumn<bool>("setBefore");  // the state the entry had before
    QTest::addColumn<bool>("enabled");
    QTest::newRow("auto-enabled") << true << false << false << true;
    QTest::newRow("enabled by the window") << false << true << false << true;
    QTest::newRow("neither") << false << false << false << false;
    QTest::newRow("an earlier state is not kept") << false << false << true << false;
  }

  void enablingPass() {
    QFETCH(bool, autoEnable);
    QFETCH(bool, windowEnables);
    QFETCH(bool, setBefore);
    QFETCH(bool, enabled);
    RuleWindow::bar = BarWithGo(fw::MenuRole::None, autoEnable);
    RuleWindow::enables = windowEnables ? "Go" : "";
    fw::Ref<fw::MenuItem> go = RuleWindow::bar->Lookup("Go");
    auto w = NewWindow();
    int runs = 0;
    w->AddMenuHandler("Go", [&runs] { return ++runs, true; });
    go->SetEnabled(!enabled);
    fw::headless::RunPostedWork();  // the activation
    QCOMPARE(go->Enabled(), enabled);
    go->SetEnabled(setBefore);
    fw::headless::ChooseMenuItem(*w, *go);
    QCOMPARE(go->Enabled(), enabled);
    QCOMPARE(runs, enabled ? 1 : 0);
  }

  // Show and Hide during the build decide whether the window appears when it
  // is built; a window that is hidden or goes hands the activation to the
  // newest visible window, once the loop runs, unless a visible one has it.
  void showingAndActivation_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("firstVisible");
    QTest::addColumn<QString>("active");  // after the step and the loop
    QTest::newRow("shown by its layout") << "" << true << "second";
    QTest::newRow("shown during its build") << "show during build" << true << "second";
    QTest::newRow("hidden during its build") << "hide during build" << true << "first";
    QTest::newRow("active one hidden") << "hide second" << true << "first";
    QTest::newRow("active one discarded") << "discard second" << true << "first";
    QTest::newRow("active one closed") << "close second" << true << "first";
    QTest::newRow("inactive one hidden") << "hide first" << false << "second";
  }

  void showingAndActivation() {
    QFETCH(QString, step);
    QFETCH(bool, firstVisible);
    QFETCH(QString, active);
    auto first = NewWindow();
    fw::headless::RunPostedWork();
    if (step == "show during build") {
      RuleWindow::visibleByLayout = false;
      RuleWindow::duringBuild = [](RuleWindow& w) { w.Show(); };
    } else if (step == "hide during build") {
      RuleWindow::duringBuild = [](RuleWindow& w) {
        QVERIFY(w.Visible());  // as its layout says, so far
        w.Hide();
      };
    }
    auto second = NewWindow();
    const bool secondShown = step != "hide during build";
    QCOMPARE(second->Visible(), secondShown);
    fw::headless::RunPostedWork();
    QCOMPARE(fw::headless::ActiveWindow(), secondShown ? second.get() : first.get());
    if (step == "hide second") {
      second->Hide();
    } else if (step == "discard second") {
      second->Discard();
    } else if (step == "close second") {
      second->Close();
    } else if (step == "hide first") {
      first->Hide();
    }
    fw::headless::RunPostedWork();
    QCOMPARE(first->Visible(), firstVisible);
    QCOMPARE(fw::headless::ActiveWindow(), active == "first" ? first.get() : second.get());
    // Every activation raised Activate, and the enabling pass after it.
    QCOMPARE(RuleWindow::log.count("Activate"),
             fw::headless::Activations(*first) + fw::headless::Activations(*second));
  }

  // Closing raises Close, then the window is gone; the last window closed
  // quits, a discarded one does not. A Quit entry that no handler takes
  // quits. The first Quit's code is the exit code.
  void closeAndQuit_data() {
    QTest::addColumn<int>("windows");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("quitting");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("close one of two") << 2 << "close" << false << QStringList{"Close"};
    QTest::newRow("close the last") << 1 << "close" << true << QStringList{"Close"};
    QTest::newRow("close twice") << 2 << "close twice" << false << QStringList{"Close"};
    QTest::newRow("discard the last") << 1 << "discard" << false << QStringList{};
    QTest::newRow("Quit entry, no handler") << 2 << "quit entry" << true << QStringList{};
    QTest::newRow("Quit entry, handled") << 2 << "handled quit entry" << false << QStringList{};
  }

  void closeAndQuit() {
    QFETCH(int, windows);
    QFETCH(QString, step);
    QFETCH(bool, quitting);
    QFETCH(QStringList, log);
    RuleWindow::bar = BarWithGo(fw::MenuRole::Quit, true);
    fw::Ref<RuleWindow> w;
    for (int i = 0; i < windows; ++i) {
      w = NewWindow();
    }
    fw::headless::RunPostedWork();
    RuleWindow::log.clear();
    if (step.startsWith("close")) {
      w->Close();
      if (step == "close twice") {
        w->Close();
      }
      QVERIFY(!w->IsOpen());
    } else if (step == "discard") {
      w->Discard();
    } else {
      if (step == "handled quit entry") {
        w->AddMenuHandler("Go", [] { return false; });
      }
      fw::headless::ChooseMenuItem(*w, *RuleWindow::bar->Lookup("Go"));
    }
    QCOMPARE(RuleWindow::log, log);
    QCOMPARE(fw::RuntimeIsQuitting(), quitting);
    QCOMPARE(fw::OpenWindows().size(),
             size_t(step.startsWith("close") || step == "discard" ? windows - 1 : windows));
    QCOMPARE(fw::RunExitCode(), 0);
  }

  // The first Quit's code ends the process; a loop that starts after Quit
  // does not run; a report before the loop makes the run a failure.
  void exitCodes_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("loopExit");  // what the loop was told, -1 none
    QTest::newRow("quit before the loop") << "quit 3, quit 5, run" << 3 << -1;
    QTest::newRow("quit while running") << "run, quit 4" << 4 << 4;
    QTest::newRow("report before the loop") << "report, run" << 1 << -1;
    QTest::newRow("report while running") << "run, report" << 0 << -1;
  }

  void exitCodes() {
    QFETCH(QString, step);
    QFETCH(int, exitCode);
    QFETCH(int, loopExit);
    const auto report = [] {
      fw::UnhandledException(std::make_exception_ptr(fw::RuntimeException("broken")));
    };
    if (step == "quit 3, quit 5, run") {
      fw::Quit(3);
      fw::Quit(5);
      fw::RuntimeRun();
    } else if (step == "run, quit 4") {
      fw::PostToEventLoop([] { fw::Quit(4); });
      fw::RuntimeRun();
    } else if (step == "report, run") {
      report();
      fw::RuntimeRun();
    } else {
      fw::PostToEventLoop(report);
      fw::RuntimeRun();
    }
    QCOMPARE(fw::RuntimeExit(), exitCode);
    QCOMPARE(fw::headless::LoopExitCode(), loopExit);
  }
};

QTEST_APPLESS_MAIN(tst_FrameworkRules)
#include "tst_framework_rules.moc"
