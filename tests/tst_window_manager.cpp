// What the program's windows tell a real window manager, read back from the X
// server as the window manager reads it: their size limits, the actions the
// window manager then allows, and their titles. Runs under openbox on an X
// server of its own (under_openbox.sh).

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "analysis/control_wnd.h"
#include "infowindows/about_wnd.h"
#include "program_test_support.h"

namespace {

// The window's properties as xprop prints them.
QString Properties(const QWidget& frame) {
  QProcess xprop;
  xprop.start(
      QStringLiteral("xprop"),
      {QStringLiteral("-id"), QString::number(frame.winId()), QStringLiteral("WM_NORMAL_HINTS"),
       QStringLiteral("_NET_WM_ALLOWED_ACTIONS"), QStringLiteral("_NET_WM_NAME")});
  if (!xprop.waitForFinished(test_support::kWindowSystemPatience) || xprop.exitCode() != 0) {
    return {};
  }
  return QString::fromUtf8(xprop.readAllStandardOutput());
}

// "minimum" or "maximum": the size hint as width and height, or an invalid
// size when the window gives none.
QSize SizeHint(const QString& properties, const QString& which) {
  const QRegularExpression hint(
      QStringLiteral("program specified %1 size: (\\d+) by (\\d+)").arg(which));
  const QRegularExpressionMatch match = hint.match(properties);
  return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

// The properties once the window manager has managed the window: it sets the
// allowed actions. The last ones read when it has not by the deadline.
QString ManagedProperties(const QWidget& frame) {
  const QDeadlineTimer deadline(test_support::kWindowSystemPatience);
  QString properties = Properties(frame);
  while (!properties.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")) && !deadline.hasExpired()) {
    QTest::qWait(100);
    properties = Properties(frame);
  }
  return properties;
}

}  // namespace

class tst_WindowManager : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    test_support::StartProgramPieces();
  }
  void cleanup() { fw::testing::ResetRunState(); }

  // Not resizeable: a fixed size, which the window manager neither changes
  // nor maximises.
  void mainWindowHasAFixedSize() {
    auto w = implicit::ControlWnd();
    QMainWindow* frame = fw::testing::WidgetOf(*w);
    QVERIFY(QTest::qWaitForWindowExposed(frame, test_support::kWindowSystemPatience));
    const QSize size = frame->size();
    QCOMPARE(fw::testing::ClientOf(*w)->size(), QSize(650, 560));
    const QString properties = ManagedProperties(*frame);
    QVERIFY2(
        properties.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")),
        qPrintable(QStringLiteral("not managed by openbox in time; properties: ") + properties));
    QCOMPARE(SizeHint(properties, QStringLiteral("minimum")), size);
    QCOMPARE(SizeHint(properties, QStringLiteral("maximum")), size);
    QVERIFY2(!properties.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE")),
             qPrintable(properties));
    QVERIFY2(!properties.contains(QStringLiteral("_NET_WM_ACTION_RESIZE")), qPrintable(properties));
    QVERIFY(!frame->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    frame->showMaximized();
    QTest::qWait(500);
    QCOMPARE(frame->size(), size);
  }

  // Resizeable: the window manager is told the layout's minimum and maximum,
  // and may resize and maximise. Its title is empty, as its layout says.
  void splashHonoursItsLimitsAndHasNoTitle() {
    auto splash = implicit::AboutWnd();
    QMainWindow* frame = fw::testing::WidgetOf(*splash);
    QVERIFY(QTest::qWaitForWindowExposed(frame, test_support::kWindowSystemPatience));
    const int menuBar = frame->height() - fw::testing::ClientOf(*splash)->height();
    const QString properties = ManagedProperties(*frame);
    QVERIFY2(
        properties.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")),
        qPrintable(QStringLiteral("not managed by openbox in time; properties: ") + properties));
    QCOMPARE(SizeHint(properties, QStringLiteral("minimum")), QSize(64, 64 + menuBar));
    QCOMPARE(SizeHint(properties, QStringLiteral("maximum")), QSize(32000, 32000 + menuBar));
    QVERIFY2(properties.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ")),
             qPrintable(properties));
    QVERIFY2(properties.contains(QStringLiteral("_NET_WM_ACTION_RESIZE")), qPrintable(properties));
    QVERIFY2(properties.contains(QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \n")) ||
                 properties.endsWith(QStringLiteral("_NET_WM_NAME(UTF8_STRING) = ")),
             qPrintable(properties));
  }
};

QTEST_MAIN(tst_WindowManager)
#include "tst_window_manager.moc"
