// Drives the real program from inside its own process, for the tests that
// start the built executable and check its exit status. Qt loads it as a
// generic plug-in (QT_PLUGIN_PATH + QT_QPA_GENERIC_PLUGINS=quillmeredriver);
// QUILLMERE_TEST_SCENARIO says what to do:
//   quit-shortcut  hand the splash over with a key press, then Ctrl+Q
//   close-box      hand over, then close the main window as its close box does
//   file-close     hand over, then File › Close from the main window's menu
//   report         dismiss the first modal box (a start-up report)
// The driver only sends what a user would: key presses, a close request, a
// menu command. When the splash is shown it also tells on stderr where the
// program's libraries were loaded from ("driver: loaded <path>") and, given
// QUILLMERE_TEST_PICTURE, whether the splash shows that picture.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <set>

namespace {

QMainWindow* VisibleWindow(const char* objectName) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(w);
        main && main->isVisible() && main->objectName() == QLatin1String(objectName)) {
      return main;
    }
  }
  return nullptr;
}

// The program's own libraries mapped into this process.
void ReportLoadedLibraries() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) {
    return;
  }
  std::set<QString> paths;
  for (const QByteArray& line : maps.readAll().split('\n')) {
    const qsizetype slash = line.indexOf('/');
    if (slash >= 0 && line.contains("libquill")) {
      paths.insert(QString::fromLocal8Bit(line.mid(slash)));
    }
  }
  for (const QString& path : paths) {
    std::fprintf(stderr, "driver: loaded %s\n", qPrintable(path));
  }
}

// Whether a control of the window shows the picture from its top-left
// corner, as a canvas shows its backdrop.
bool ShowsPicture(QWidget* window, const QImage& picture) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    const QRect area(QPoint(0, 0), child->size().boundedTo(picture.size()));
    if (area.width() < 64 || area.height() < 64) {
      continue;
    }
    const QImage shown = child->grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    if (shown == picture.copy(area).convertToFormat(QImage::Format_RGB32)) {
      return true;
    }
  }
  return false;
}

void ReportSplash(QWidget* splash) {
  ReportLoadedLibraries();
  const QString expected = qEnvironmentVariable("QUILLMERE_TEST_PICTURE");
  if (!expected.isEmpty()) {
    const bool shown = ShowsPicture(splash, QImage(expected));
    std::fprintf(stderr, "driver: splash %s the picture\n", shown ? "shows" : "does not show");
  }
}

class Driver : public QObject {
 public:
  explicit Driver(QString scenario) : scenario_(std::move(scenario)) {
    connect(&tick_, &QTimer::timeout, this, [this] { Step(); });
    tick_.start(50);
  }

 private:
  void Step() {
    if (scenario_ == QLatin1String("report")) {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "driver saw: %s\n", qPrintable(box->text()));
        box->accept();
      }
      return;
    }
    if (!handedOver_) {
      if (QMainWindow* splash = VisibleWindow("AboutWnd.AboutWnd")) {
        ReportSplash(splash);
        std::fprintf(stderr, "driver: splash shown, pressing a key\n");
        QTest::keyClick(splash, Qt::Key_Space);
        handedOver_ = true;
      }
      return;
    }
    // A user's keys go to the active window: the driver waits until the main
    // window has the activation the hand-over asked for.
    QMainWindow* main = VisibleWindow("ControlWnd.ControlWnd");
    if (main == nullptr || done_ || !main->isActiveWindow()) {
      return;
    }
    done_ = true;
    std::fprintf(stderr, "driver: main window shown, %s\n", qPrintable(scenario_));
    if (scenario_ == QLatin1String("quit-shortcut")) {
      QWidget* target = main->focusWidget() ? main->focusWidget() : main;
      QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier);
    } else if (scenario_ == QLatin1String("close-box")) {
      main->close();
    } else if (scenario_ == QLatin1String("file-close")) {
      if (auto* close = main->findChild<QAction*>(QStringLiteral("CloseMenuItem"))) {
        close->trigger();
      }
    }
  }

  QString scenario_;
  QTimer tick_;
  bool handedOver_ = false;
  bool done_ = false;
};

}  // namespace

class DriverPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver_plugin.json")
 public:
  QObject* create(const QString&, const QString&) override {
    return new Driver(qEnvironmentVariable("QUILLMERE_TEST_SCENARIO"));
  }
};

#include "driver_plugin.moc"
