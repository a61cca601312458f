#pragma once
// What the tests of the program's windows share: start-up of the pieces a
// window needs, the widgets behind its controls, and a helper that answers
// modal dialogs as a user would.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <string>

#include "analysis/control_wnd.h"
#include "app/file_types.h"
#include "app/module1.h"
#include "framework/controls.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "framework/window.h"
#include "matrix/binding/plugin_entrypoints.h"
#include "modal_answerer.h"
#include "worked_example.h"

namespace test_support {

// How long, in ms, a test waits for a real X server or window manager to show
// or activate a window: a machine busy with other builds may keep them
// waiting many seconds. A passing test never waits it out.
inline constexpr int kWindowSystemPatience = 30000;

// Whether the results field and its three column headings show.
inline bool ResultsShown(const ControlWnd& w) {
  return w.Rtext()->Visible() && w.Rtext1()->Visible() && w.text2()->Visible() &&
         w.mcFld()->Visible();
}
inline bool ResultsHidden(const ControlWnd& w) {
  return !w.Rtext()->Visible() && !w.Rtext1()->Visible() && !w.text2()->Visible() &&
         !w.mcFld()->Visible();
}

// The fourteen menu-item accessors every window class has, in their order.
inline const char* const kMenuItemNames[] = {"WindowMenu",    "DescriptionMenuItem",
                                             "AboutMenuItem", "ControlMenuItem",
                                             "EditMenu",      "EditPaste",
                                             "EditCopy",      "EditCut",
                                             "UntitledMenu1", "EditUndo",
                                             "FileMenu",      "FileQuit",
                                             "CloseMenuItem", "UntitledMenu3"};

// Writes a fixture file into the folder and gives its path.
inline QString WriteFile(const QTemporaryDir& dir, const QString& name,
                         const QByteArray& contents) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(contents) != contents.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
  return path;
}

inline QAction* MenuAction(const fw::Window& window, const char* name) {
  return fw::testing::WidgetOf(window)->menuBar()->findChild<QAction*>(QString::fromLatin1(name));
}

// Chooses the item from its menu in the window's bar, as the user does: the
// menu opens (and runs the enabling pass), the item is chosen, the menu closes.
inline void Choose(const fw::Window& window, const char* name) {
  QAction* action = MenuAction(window, name);
  QVERIFY2(action, name);
  auto* menu = qobject_cast<QMenu*>(action->parent());
  QVERIFY2(menu, name);
  menu->popup(QPoint(0, 0));
  QVERIFY2(action->isEnabled(), name);
  menu->hide();
  action->trigger();
}

// The parts of start-up a window of the program relies on.
inline void StartProgramPieces() {
  fw::RuntimeInit(nullptr, nullptr, L"", 0);
  InitPluginEntrypoints();
  FileTypes::Initialize();
  Module1::MyData.Init();
}

inline QLineEdit* EditOf(const fw::TextField& field) {
  return qobject_cast<QLineEdit*>(fw::testing::WidgetOf(field));
}
inline QTextEdit* EditOf(const fw::TextArea& area) {
  return qobject_cast<QTextEdit*>(fw::testing::WidgetOf(area));
}
inline QPushButton* ButtonOf(const fw::PushButton& button) {
  return qobject_cast<QPushButton*>(fw::testing::WidgetOf(button));
}
inline QLabel* LabelOf(const fw::Label& label) {
  return qobject_cast<QLabel*>(fw::testing::WidgetOf(label));
}

inline void Click(const fw::PushButton& button) {
  QTest::mouseClick(ButtonOf(button), Qt::LeftButton);
}

}  // namespace test_support
