// The main window as its layout builds it: window frame, controls, the title
// and the tab order, the implicit instance, the named pictures, and how the
// window looks after a Calculate.

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QtTest>

#include <cstdlib>
#include <string>

#include "analysis/control_wnd.h"
#include "app/pictures.h"
#include "framework/picture.h"
#include "program_test_support.h"

using test_support::ButtonOf;
using test_support::Click;
using test_support::EditOf;
using test_support::LabelOf;
using test_support::ModalAnswerer;

namespace {

using test_support::kExample;

QWidget* WidgetNamed(const ControlWnd& w, const char* name) {
  auto control = std::dynamic_pointer_cast<fw::RectControl>(w.ControlByName(name));
  return control ? fw::testing::WidgetOf(*control) : nullptr;
}

// The horizontal extent, in the window's client area, of the characters
// [from, to) of the first line of a text area.
QPair<int, int> ExtentInClient(QTextEdit* edit, int from, int to) {
  QTextCursor cursor(edit->document());
  cursor.setPosition(from);
  const int left = edit->cursorRect(cursor).left();
  cursor.setPosition(to);
  const int right = edit->cursorRect(cursor).left();
  QWidget* client = edit->parentWidget();
  return {edit->viewport()->mapTo(client, QPoint(left, 0)).x(),
          edit->viewport()->mapTo(client, QPoint(right, 0)).x()};
}

}  // namespace

class tst_ControlWnd : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test_support::StartProgramPieces(); }
  void cleanup() { fw::testing::ResetRunState(); }

  void windowOpensAsLaidOut() {
    auto w = implicit::ControlWnd();
    QMainWindow* main = fw::testing::WidgetOf(*w);
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->windowTitle(), QStringLiteral("Quillmere"));
    QWidget* client = fw::testing::ClientOf(*w);
    QCOMPARE(client->size(), QSize(650, 560));
    QCOMPARE(client->minimumSize(), client->maximumSize());  // not resizeable
    const Qt::WindowFlags flags = main->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(client->autoFillBackground());
    QCOMPARE(client->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(main->menuWidget() && main->menuWidget()->isVisible());  // the shared bar
    QCOMPARE(w->corrFld()->Text(), std::string());
    QCOMPARE(w->Nvariables()->Text(), std::string());
    QVERIFY(!w->mcFld()->Visible());
    QVERIFY(!w->Rtext()->Visible());
    QVERIFY(!w->text2()->Visible());
    QVERIFY(!w->Rtext1()->Visible());
    QVERIFY(w->Canvas1()->Visible());
  }

  void controlsInCreationOrderWhereTheirListsPutThem() {
    auto w = implicit::ControlWnd();
    const QList<QPair<const char*, QRect>> expected = {
        {"Canvas1", {20, 9, 129, 136}},      {"Nvariables", {200, 212, 40, 20}},
        {"corrFld", {20, 262, 425, 225}},    {"mcFld", {475, 262, 125, 225}},
        {"ClearBtn", {353, 508, 100, 40}},   {"CalculateBtn", {190, 507, 100, 40}},
        {"StaticText1", {20, 211, 186, 20}}, {"TextArea1", {161, 20, 469, 80}},
        {"StaticText3", {20, 244, 186, 19}}, {"loadBtn", {20, 507, 100, 40}},
        {"infoBtn", {547, 507, 60, 40}},     {"Label1", {20, 141, 129, 20}},
        {"Rtext", {490, 243, 10, 20}},       {"text2", {559, 240, 9, 20}},
        {"Rtext1", {547, 243, 10, 20}}};
    QCOMPARE(w->Controls().size(), size_t(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(QString::fromStdString(w->Controls()[size_t(i)]->Name()),
               QString(expected[i].first));
      QCOMPARE(WidgetNamed(*w, expected[i].first)->geometry(), expected[i].second);
    }
    QCOMPARE(ButtonOf(*w->loadBtn())->text(), QStringLiteral("Load Data"));
    QCOMPARE(LabelOf(*w->StaticText1())->text(), QStringLiteral("Number of variables (3-99):"));
    QCOMPARE(LabelOf(*w->Label1())->text(), QStringLiteral("by Quillmere Project"));
    QCOMPARE(w->Canvas1()->Backdrop(), R128());
  }

  void titleIsTheLargeBoldAccentHeading() {
    auto w = implicit::ControlWnd();
    QTextEdit* title = EditOf(*w->TextArea1());
    QCOMPARE(w->TextArea1()->Text(), std::string("Quillmere"));
    QVERIFY(title->font().bold());
    QCOMPARE(title->font().pixelSize(), 46);  // not the 50 of its list
    QCOMPARE(title->palette().color(QPalette::Text), QColor(0xCC, 0x45, 0x00));
    QVERIFY(title->isReadOnly());
    QCOMPARE(title->frameShape(), QFrame::NoFrame);
    QCOMPARE(title->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(title->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  }

  void matrixFieldsAreFixedPitchWithoutWrap() {
    auto w = implicit::ControlWnd();
    for (const auto& area : {w->corrFld(), w->mcFld()}) {
      QTextEdit* edit = EditOf(*area);
      QVERIFY(QFontInfo(edit->font()).fixedPitch());
      QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);
      QVERIFY(!edit->tabChangesFocus());  // a typed TAB separates values
    }
  }

  // Only Nvariables, corrFld, mcFld and Canvas1 take the focus with Tab.
  void tabOrder() {
    auto w = implicit::ControlWnd();
    w->mcFld()->SetVisible(true);
    QWidget* first = EditOf(*w->Nvariables());
    auto takesTab = [&w](QWidget* widget) {
      return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(widget->window()) &&
             widget->isEnabled() && widget->parentWidget() == fw::testing::ClientOf(*w);
    };
    QList<QWidget*> order;
    QWidget* next = first;
    do {
      if (takesTab(next)) {
        order.append(next);
      }
      next = next->nextInFocusChain();
    } while (next != first);
    const QList<QWidget*> expected = {first, EditOf(*w->corrFld()), EditOf(*w->mcFld()),
                                      fw::testing::WidgetOf(*w->Canvas1())};
    QCOMPARE(order, expected);
  }

  void accessorReturnsTheLiveWindowWithoutShowingIt() {
    auto first = implicit::ControlWnd();
    QVERIFY(first->Visible());
    first->Hide();
    auto second = implicit::ControlWnd();
    QCOMPARE(second.get(), first.get());
    QVERIFY(!second->Visible());
    first->Close();
    QVERIFY(implicit::ControlWnd().get() != first.get());
  }

  void isEventImplemented_data() {
    using E = fw::WindowEvent;
    QTest::addColumn<int>("event");
    QTest::addColumn<bool>("implemented");
    QTest::newRow("Layout") << int(E::Layout) << true;
    QTest::newRow("CreateControls") << int(E::CreateControls) << true;
    QTest::newRow("AddMenuHandlers") << int(E::AddMenuHandlers) << true;
    QTest::newRow("Close") << int(E::Close) << true;
    QTest::newRow("Activate") << int(E::Activate) << true;
    QTest::newRow("EnableMenuItems") << int(E::EnableMenuItems) << true;
    QTest::newRow("KeyDown") << int(E::KeyDown) << false;
    QTest::newRow("MouseDown") << int(E::MouseDown) << false;
  }
  void isEventImplemented() {
    QFETCH(int, event);
    QFETCH(bool, implemented);
    QCOMPARE(implicit::ControlWnd()->IsEventImplemented(static_cast<fw::WindowEvent>(event)),
             implemented);
  }

  void namedPicturesAreReadOnce() {
    QVERIFY(R128());
    QCOMPARE(R128(), R128());
    QVERIFY(R256());
    QVERIFY(R256() != R128());
    QVERIFY(R256()->Width() > R128()->Width());
  }

  // A miss is looked up again next time; a picture found stays cached.
  void namedPictureMissIsLookedUpAgain() {
    const QString name =
        QStringLiteral("tst_control_wnd_probe_%1.png").arg(QCoreApplication::applicationPid());
    const QString path = QDir(QString::fromStdString(fw::ResourcesFolder())).filePath(name);
    NamedPicture probe(name.toStdString());
    QVERIFY(!probe.Get());
    QVERIFY(QFile::copy(QDir(QString::fromStdString(fw::ResourcesFolder())).filePath("R128.png"),
                        path));
    const fw::Ref<fw::Picture> found = probe.Get();
    QFile::remove(path);
    QVERIFY(found);
    QCOMPARE(probe.Get(), found);
  }

  // Every text fits its box, and the results line up under R and R².
  // Set QUILLMERE_SCREENSHOT to a file name to keep a picture of the window.
  void looksAsLaidOutAfterACalculate() {
    auto w = implicit::ControlWnd();
    QVERIFY(QTest::qWaitForWindowExposed(fw::testing::WidgetOf(*w)));
    w->Nvariables()->SetText("5");
    w->corrFld()->SetText(kExample);
    ModalAnswerer answers;
    Click(*w->CalculateBtn());
    QVERIFY(answers.Messages().isEmpty());

    for (const auto& label :
         {w->StaticText1(), w->StaticText3(), w->Label1(), w->Rtext(), w->text2(), w->Rtext1()}) {
      QLabel* view = LabelOf(*label);
      const QFontMetrics metrics(view->font());
      QVERIFY2(metrics.horizontalAdvance(view->text()) <= view->width() &&
                   metrics.height() <= view->height(),
               qPrintable(view->text()));
    }
    for (const auto& button : {w->loadBtn(), w->CalculateBtn(), w->ClearBtn(), w->infoBtn()}) {
      QPushButton* view = ButtonOf(*button);
      QVERIFY2(QFontMetrics(view->font()).horizontalAdvance(view->text()) < view->width() - 8,
               qPrintable(view->text()));
    }
    QTextEdit* title = EditOf(*w->TextArea1());
    const QSizeF titleSize = title->document()->size();
    QVERIFY(titleSize.width() <= title->viewport()->width());
    QVERIFY(titleSize.height() <= title->viewport()->height());

    // "0.2961\t0.0877": the R column is characters 0-6, SMC 7-13.
    QTextEdit* results = EditOf(*w->mcFld());
    QVERIFY(!results->horizontalScrollBar()->isVisible());
    const auto rColumn = ExtentInClient(results, 0, 6);
    const auto smcColumn = ExtentInClient(results, 7, 13);
    const QRect rHeading = LabelOf(*w->Rtext())->geometry();
    const QRect smcHeading =
        LabelOf(*w->Rtext1())->geometry().united(LabelOf(*w->text2())->geometry());
    const auto centred = [](QPair<int, int> column, const QRect& heading) {
      return std::abs((column.first + column.second) - (heading.left() + heading.right())) <= 8;
    };
    QVERIFY2(centred(rColumn, rHeading), qPrintable(QString("R column %1-%2, heading %3-%4")
                                                        .arg(rColumn.first)
                                                        .arg(rColumn.second)
                                                        .arg(rHeading.left())
                                                        .arg(rHeading.right())));
    QVERIFY2(centred(smcColumn, smcHeading), qPrintable(QString("SMC column %1-%2, heading %3-%4")
                                                            .arg(smcColumn.first)
                                                            .arg(smcColumn.second)
                                                            .arg(smcHeading.left())
                                                            .arg(smcHeading.right())));

    if (const QByteArray file = qgetenv("QUILLMERE_SCREENSHOT"); !file.isEmpty()) {
      QVERIFY(fw::testing::WidgetOf(*w)->grab().save(QString::fromLocal8Bit(file)));
    }
  }
};

QTEST_MAIN(tst_ControlWnd)
#include "tst_control_wnd.moc"
