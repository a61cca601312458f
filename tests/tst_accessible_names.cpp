// The main window's text controls as a screen reader meets them on Linux:
// read back through the AT-SPI accessibility tree over D-Bus, each is named
// after the label before it. Runs under with_atspi.sh.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QtTest>

#include <chrono>
#include <future>
#include <map>

#include "accessible_names.h"
#include "program_test_support.h"

using test_support::EditOf;

namespace {

// A node of the tree: the bus name of its application and its object path.
struct Node {
  QString service;
  QDBusObjectPath path;
};

}  // namespace

Q_DECLARE_METATYPE(Node)

QDBusArgument& operator<<(QDBusArgument& argument, const Node& node) {
  argument.beginStructure();
  argument << node.service << node.path;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Node& node) {
  argument.beginStructure();
  argument >> node.service >> node.path;
  argument.endStructure();
  return argument;
}

namespace {

constexpr char kAccessible[] = "org.a11y.atspi.Accessible";

// A client of the accessibility bus, as a screen reader is one.
class ScreenReader {
 public:
  explicit ScreenReader(const QString& address)
      : bus_(QDBusConnection::connectToBus(address, QStringLiteral("screen reader"))) {}
  ~ScreenReader() { QDBusConnection::disconnectFromBus(QStringLiteral("screen reader")); }

  // The text of every text control of every application, with its name.
  std::map<QString, QString> NamesByText() {
    std::map<QString, QString> names;
    Walk({QStringLiteral("org.a11y.atspi.Registry"),
          QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"))},
         names, 0);
    return names;
  }

 private:
  QDBusMessage Call(const Node& node, const char* interface, const char* method,
                    const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        node.service, node.path.path(), QLatin1String(interface), QLatin1String(method));
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, 5000);
  }

  void Walk(const Node& node, std::map<QString, QString>& names, int depth) {
    if (depth > 12) {
      return;
    }
    const QString role = QDBusReply<QString>(Call(node, kAccessible, "GetRoleName")).value();
    if (role == QLatin1String("text") || role == QLatin1String("entry")) {
      const QDBusReply<QDBusVariant> name =
          Call(node, "org.freedesktop.DBus.Properties", "Get",
               {QLatin1String(kAccessible), QStringLiteral("Name")});
      const QDBusReply<QString> text = Call(node, "org.a11y.atspi.Text", "GetText", {0, -1});
      names[text.value()] = name.value().variant().toString();
    }
    const QDBusReply<QList<Node>> children = Call(node, kAccessible, "GetChildren");
    for (const Node& child : children.value()) {
      Walk(child, names, depth + 1);
    }
  }

  QDBusConnection bus_;
};

}  // namespace

class tst_AccessibleNames : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qDBusRegisterMetaType<Node>();
    qDBusRegisterMetaType<QList<Node>>();
    test_support::StartProgramPieces();
  }
  void cleanup() { fw::testing::ResetRunState(); }

  void textControlsAreNamedAfterTheirLabels() {
    const QDBusReply<QString> address =
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
            QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    QVERIFY2(address.isValid(), qPrintable(address.error().message()));

    auto w = implicit::ControlWnd();
    w->mcFld()->SetVisible(true);  // as after a Calculate
    // Each control's text tells it apart in the tree.
    std::map<QString, QString> expected;
    for (const test_support::AccessibleNameCase& c : test_support::kAccessibleNames) {
      const QString text = QStringLiteral("text of ") + QLatin1String(c.control);
      if (auto field = std::dynamic_pointer_cast<fw::TextField>(w->ControlByName(c.control))) {
        field->SetMaximumCharactersAllowed(0);
        field->SetValidationMask("");
        field->SetText(text.toStdString());
      } else {
        fw::RuntimeCheckCast<fw::TextArea>(w->ControlByName(c.control))
            ->SetText(text.toStdString());
      }
      expected[text] = QLatin1String(c.name);
    }

    // The reader asks from a thread of its own: this one answers for the
    // program meanwhile.
    std::map<QString, QString> heard;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    do {
      auto reading = std::async(std::launch::async,
                                [&address] { return ScreenReader(address.value()).NamesByText(); });
      while (reading.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      }
      heard = reading.get();
      std::erase_if(heard, [&](const auto& entry) { return !expected.contains(entry.first); });
    } while (heard.size() < expected.size() && std::chrono::steady_clock::now() < deadline &&
             (QTest::qWait(200), true));
    for (const auto& [text, name] : expected) {
      QVERIFY2(heard.contains(text), qPrintable(text + " is not in the accessibility tree"));
      QCOMPARE(heard[text], name);
    }
  }
};

QTEST_MAIN(tst_AccessibleNames)
#include "tst_accessible_names.moc"
