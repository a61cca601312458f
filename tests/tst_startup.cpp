// Start-up, the application object and shutdown, run in this process through
// the same sequence the entry point runs.

#include <QTemporaryDir>

#include "analysis/control_wnd.h"
#include "app/notice.h"
#include "framework/files.h"
#include "full_sentences.h"
#include "infowindows/about_wnd.h"
#include "program_test_support.h"
#include "startup/handle_about_menu.h"
#include "startup/startup.h"

namespace {

struct Observed {
  int earlyStepsSeen = 0;
  std::vector<std::string> visibleWindows;
  bool controlWndExisted = true;
};
Observed observed;

// Runs `check` once the event loop runs, then quits.
void AtFirstEvent(std::function<void()> check) {
  QTimer::singleShot(0, [check] {
    check();
    fw::Quit(0);
  });
}

std::vector<std::string> VisibleWindows() {
  std::vector<std::string> names;
  for (const fw::Ref<fw::Window>& w : fw::OpenWindows()) {
    if (w->Visible()) {
      names.push_back(w->Class().name);
    }
  }
  return names;
}

void RaisingInitializer() {
  throw fw::RuntimeException("initializer failed");
}

}  // namespace

class tst_Startup : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    fw::testing::ResetRunState();
    SetPluginDirectory("");
  }

  // First: before any start-up has registered the file type.
  void aFailingEarlyStepSkipsTheRest() {
    QTemporaryDir empty;
    SetPluginDirectory(empty.path().toStdString());
    test_support::ModalAnswerer answerer;
    const int status = RunProgram(nullptr, nullptr, L"", 10, ProgramInitializers());
    QCOMPARE(status, 1);
    QCOMPARE(answerer.Reports().size(), 1);
    QVERIFY(answerer.Reports()[0].contains("PluginException"));
    // What is missing, where it was looked for and what to do, under the
    // program's name, as there is no application object yet.
    const QString report = answerer.Reports()[0];
    QVERIFY2(report.contains("libquillmatrix.so is missing: it was looked for in \"" +
                             empty.path() + "\". Install the program again"),
             qPrintable(report));
    QVERIFY(test_support::SaysWhatIsWrongAndWhatToDo(report.section("\n\n", 0, 0)));
    QCOMPARE(answerer.ReportTitles()[0], QStringLiteral("Quillmere"));
    QVERIFY(fw::RegisteredFileType("text/plain") == nullptr);
    QVERIFY(!fw::GetAppObject());
    QVERIFY(fw::OpenWindows().empty());
  }

  void aRaisingInitializerIsReportedAtOnce() {
    std::vector<fw::Initializer> table(ProgramInitializers().begin(), ProgramInitializers().end());
    table.insert(table.begin() + 2, fw::Initializer{"raises", &RaisingInitializer});
    test_support::ModalAnswerer answerer;
    const int status = RunProgram(nullptr, nullptr, L"", 10, table);
    QCOMPARE(status, 1);
    QCOMPARE(answerer.Reports().size(), 1);
    QVERIFY(answerer.Reports()[0].contains("initializer failed"));
    QVERIFY(fw::RegisteredFileType("text/plain") == nullptr);  // no early step ran
    QVERIFY(!fw::GetAppObject());
    QVERIFY(fw::OpenWindows().empty());
  }

  void aNormalStartShowsTheSplashAlone() {
    Observed seen;
    AtFirstEvent([&seen] {
      seen.visibleWindows = VisibleWindows();
      seen.controlWndExisted = fw::GetImplicitWindow(ControlWnd::kClassName) != nullptr;
      fw::Ref<HandleAboutMenu> app = App();
      QVERIFY(app);
      QCOMPARE(App().get(), app.get());
      QCOMPARE(app.get(), fw::GetAppObject().get());
      QCOMPARE(app->MajorVersion(), 2);
      QCOMPARE(app->MinorVersion(), 0);
      QCOMPARE(app->BugVersion(), 0);
      QCOMPARE(app->NonReleaseVersion(), 0);
      QCOMPARE(app->StageCode(), 3);
      QCOMPARE(app->LongVersion(), std::string(kNotice));
      QCOMPARE(app->ShortVersion(), std::string("2.0"));
      QCOMPARE(app->PackageInfo(), std::string());
      QVERIFY(fw::RegisteredFileType("text/plain") != nullptr);
    });
    const int status = RunProgram(nullptr, nullptr, L"", 10, ProgramInitializers());
    QCOMPARE(status, 0);
    QCOMPARE(seen.visibleWindows, std::vector<std::string>{"AboutWnd.AboutWnd"});
    QVERIFY(!seen.controlWndExisted);
    // Shutdown discards the windows and the application object.
    QVERIFY(fw::OpenWindows().empty());
    QVERIFY(!fw::GetAppObject());
  }

  void theAboutCommandShowsTheSplashAgain() {
    bool hiddenCase = false, closedCase = false;
    AtFirstEvent([&] {
      fw::Ref<AboutWnd> splash = implicit::AboutWnd();
      splash->Hide();
      QVERIFY(!App()->AboutMenuItem_Action());
      hiddenCase = implicit::AboutWnd().get() == splash.get() && splash->Visible();
      splash->Close();
      QVERIFY(!App()->AboutMenuItem_Action());
      fw::Ref<AboutWnd> fresh = implicit::AboutWnd();
      closedCase = fresh.get() != splash.get() && fresh->Visible();
    });
    QCOMPARE(RunProgram(nullptr, nullptr, L"", 10, ProgramInitializers()), 0);
    QVERIFY(hiddenCase);
    QVERIFY(closedCase);
  }

  void closingTheSplashBeforeItHandsOverEndsTheProgram() {
    QTimer::singleShot(0, [] { fw::testing::WidgetOf(*implicit::AboutWnd())->close(); });
    QTimer::singleShot(3000, [] { fw::Quit(7); });  // not ended by itself: fails below
    QCOMPARE(RunProgram(nullptr, nullptr, L"", 10, ProgramInitializers()), 0);
  }

  void aSecondQuitDoesNoHarm() {
    // The second Quit, with another code, changes nothing.
    QTimer::singleShot(0, [] {
      fw::Quit(0);
      fw::Quit(3);
    });
    QCOMPARE(RunProgram(nullptr, nullptr, L"", 10, ProgramInitializers()), 0);
  }

  void theApplicationClassImplementsNoEvent() {
    HandleAboutMenu app;
    for (int event = int(fw::WindowEvent::Layout); event <= int(fw::WindowEvent::MouseDown);
         ++event) {
      QVERIFY(!app.IsEventImplemented(static_cast<fw::WindowEvent>(event)));
    }
  }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
