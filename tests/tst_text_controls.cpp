// The main window's text controls as a keyboard user meets them: the count
// centred, Ctrl+Tab out of a field that takes TABs, and the context menu of
// every text area; with the rules both platforms share as plain tables,
// among them which label names a control for a screen reader.

#include <QtTest>

#include "framework/src/gui/edit_menu.h"
#include "framework/src/gui/label_names.h"
#include "framework/src/gui/tab_key.h"
#include "program_test_support.h"

using test_support::EditOf;

namespace {

// A menu caption as the user reads it: no access key, no shortcut.
QString Plain(QString caption) {
  caption = caption.left(caption.indexOf(QLatin1Char('\t')));
  return caption.remove(QLatin1Char('&'));
}

QStringList Captions(const std::vector<fw::EditEntry>& entries) {
  QStringList captions;
  for (const fw::EditEntry& e : entries) {
    captions << Plain(QString::fromStdString(e.caption));
  }
  return captions;
}

}  // namespace

class tst_TextControls : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { test_support::StartProgramPieces(); }
  void cleanup() { fw::testing::ResetRunState(); }

  void tabKeyMove_data() {
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<bool>("allowsTabs");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("move");
    const int none = static_cast<int>(fw::TabMove::None);
    const int next = static_cast<int>(fw::TabMove::Next);
    const int previous = static_cast<int>(fw::TabMove::Previous);
    QTest::newRow("Tab in a field") << false << false << false << false << false << next;
    QTest::newRow("Shift+Tab in a field") << true << false << false << false << false << previous;
    QTest::newRow("Tab types a TAB") << false << false << false << true << false << none;
    QTest::newRow("Shift+Tab types nothing either")
        << true << false << false << true << false << none;
    QTest::newRow("Ctrl+Tab leaves it") << false << true << false << true << false << next;
    QTest::newRow("Ctrl+Shift+Tab goes back") << true << true << false << true << false << previous;
    QTest::newRow("read-only text takes no TAB") << false << false << false << true << true << next;
    QTest::newRow("Alt+Tab is the desktop's") << false << false << true << false << false << none;
  }
  void tabKeyMove() {
    QFETCH(bool, shift);
    QFETCH(bool, ctrl);
    QFETCH(bool, alt);
    QFETCH(bool, allowsTabs);
    QFETCH(bool, readOnly);
    QFETCH(int, move);
    QCOMPARE(static_cast<int>(fw::TabKeyMove({shift, ctrl, alt}, {allowsTabs, readOnly})), move);
  }

  void contextMenuEntries_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("selection");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("enabled");
    const QStringList all = {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"};
    QTest::newRow("editable, nothing selected")
        << false << false << all << QStringList{"Undo", "Paste", "Select All"};
    QTest::newRow("editable, a selection") << false << true << all << all;
    QTest::newRow("read-only") << true << true << QStringList{"Copy", "Select All"}
                               << QStringList{"Copy", "Select All"};
  }
  void contextMenuEntries() {
    QFETCH(bool, readOnly);
    QFETCH(bool, selection);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, enabled);
    const auto entries = fw::ContextMenuEntries({.readOnly = readOnly,
                                                 .canUndo = true,
                                                 .hasSelection = selection,
                                                 .canPaste = true,
                                                 .hasText = true});
    QCOMPARE(Captions(entries), captions);
    QStringList on;
    for (const fw::EditEntry& e : entries) {
      if (e.enabled) {
        on << Plain(QString::fromStdString(e.caption));
      }
    }
    QCOMPARE(on, enabled);
  }

  // Which label names a control at (200, 212), 40 x 20; -1 for none.
  void labelBefore_data() {
    QTest::addColumn<QList<QRect>>("labels");
    QTest::addColumn<int>("label");
    const QRect left(20, 211, 186, 20);  // overlapping the control's border
    const QRect above(200, 190, 60, 19);
    QTest::newRow("the one on its row, to its left") << QList<QRect>{above, left} << 1;
    QTest::newRow("else the nearest above") << QList<QRect>{QRect(200, 150, 60, 19), above} << 1;
    QTest::newRow("of two above on a row, the leftmost")
        << QList<QRect>{QRect(215, 190, 10, 20), QRect(205, 190, 10, 20)} << 1;
    QTest::newRow("none to its right, below, or above but beside it")
        << QList<QRect>{QRect(250, 212, 60, 20), QRect(200, 240, 60, 20), QRect(20, 190, 170, 19)}
        << -1;
  }
  void labelBefore() {
    QFETCH(QList<QRect>, labels);
    QFETCH(int, label);
    std::vector<fw::Rect> boxes;
    for (const QRect& r : labels) {
      boxes.push_back({r.left(), r.top(), r.width(), r.height()});
    }
    const std::optional<size_t> found = fw::LabelBefore({200, 212, 40, 20}, boxes);
    QCOMPARE(found ? static_cast<int>(*found) : -1, label);
  }

  void countIsCentred() {
    auto w = implicit::ControlWnd();
    QCOMPARE(EditOf(*w->Nvariables())->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  }

  // Tab stays in the matrix as a TAB; Ctrl+Tab and Ctrl+Shift+Tab leave it.
  void ctrlTabLeavesAFieldThatTakesTabs() {
    auto w = implicit::ControlWnd();
    QMainWindow* main = fw::testing::WidgetOf(*w);
    main->show();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    w->mcFld()->SetVisible(true);
    QTextEdit* matrix = EditOf(*w->corrFld());
    matrix->setFocus();
    QTRY_VERIFY(matrix->hasFocus());
    QTest::keyClick(matrix, Qt::Key_Tab);
    QCOMPARE(matrix->toPlainText(), QStringLiteral("\t"));
    QVERIFY(matrix->hasFocus());
    QTest::keyClick(matrix, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_VERIFY(EditOf(*w->mcFld())->hasFocus());
    matrix->setFocus();
    QTRY_VERIFY(matrix->hasFocus());
    QTest::keyClick(matrix, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(EditOf(*w->Nvariables())->hasFocus());
    QCOMPARE(matrix->toPlainText(), QStringLiteral("\t"));
  }

  // The platform's own menu, as the shared table has it: every editing entry
  // where the text can be edited, only Copy and Select All where it cannot.
  void contextMenuOfEveryTextArea() {
    auto w = implicit::ControlWnd();
    for (const fw::TextArea* area : {w->corrFld().get(), w->mcFld().get(), w->TextArea1().get()}) {
      QTextEdit* edit = EditOf(*area);
      QScopedPointer<QMenu> menu(edit->createStandardContextMenu());
      QStringList shown;
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible()) {
          shown << Plain(action->text());
        }
      }
      shown.removeAll(QStringLiteral("Redo"));  // Qt's menu has it too
      const auto entries = fw::ContextMenuEntries({.readOnly = area->ReadOnly()});
      QCOMPARE(shown, Captions(entries));
    }
  }
};

QTEST_MAIN(tst_TextControls)
#include "tst_text_controls.moc"
