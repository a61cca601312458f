// The menu model and its Qt views: every window that carries a bar gets its
// own QMenuBar built from the one model; the model's state drives every view.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/window.h"
#include "qt/peers.h"
#include "src/gui/backend.h"

namespace fw {
namespace {

// The Edit menu's commands, as a focused text control carries them out
// itself.
template <class Edit>
void RunEditCommand(EditAction action, Edit* edit) {
  switch (action) {
    case EditAction::Undo:
      edit->undo();
      break;
    case EditAction::Cut:
      edit->cut();
      break;
    case EditAction::Copy:
      edit->copy();
      break;
    case EditAction::Paste:
      edit->paste();
      break;
    case EditAction::Delete:
    case EditAction::SelectAll:
      // Only a context menu has them, and Qt's widgets bring their own.
      break;
  }
}

QAction* MakeAction(Window& window, const Ref<MenuItem>& item, QWidget* parent) {
  auto* action = new QAction(QString::fromStdString(item->Text()), parent);
  action->setObjectName(QString::fromStdString(item->Name()));
  action->setSeparator(item->IsSeparator());
  action->setShortcut(QKeySequence::fromString(QString::fromStdString(item->CommandKey()),
                                               QKeySequence::PortableText));
  action->setEnabled(item->Enabled());
  action->setVisible(item->Visible());
  Window* target = &window;
  std::weak_ptr<MenuItem> weak = item;
  QObject::connect(action, &QAction::triggered, action, [target, weak] {
    if (Ref<MenuItem> it = weak.lock()) {
      MenuItemChosen(target, *it);
    }
  });
  ActionsOf(*item).actions.emplace_back(action);
  return action;
}

void AddItems(Window& window, const Ref<MenuItem>& menuItem, QMenu* menu) {
  for (const Ref<MenuItem>& child : menuItem->Children()) {
    if (child->Children().empty()) {
      menu->addAction(MakeAction(window, child, menu));
    } else {
      auto* sub = menu->addMenu(QString::fromStdString(child->Text()));
      sub->setObjectName(QString::fromStdString(child->Name()));
      AddItems(window, child, sub);
    }
  }
}

}  // namespace

void NativeEditFocusedControl(Window& window, EditAction action) {
  QWidget* focus = window.PlatformPeer().widget->focusWidget();
  if (auto* edit = qobject_cast<QTextEdit*>(focus)) {
    RunEditCommand(action, edit);
  } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    RunEditCommand(action, line);
  }
}

std::unique_ptr<MenuItem::Views> MakeMenuViews() {
  return std::make_unique<MenuActions>();
}

MenuActions& ActionsOf(MenuItem& item) {
  return static_cast<MenuActions&>(item.PlatformViews());
}

void RefreshMenuViews(MenuItem& item) {
  std::vector<QPointer<QAction>>& actions = ActionsOf(item).actions;
  std::erase_if(actions, [](const QPointer<QAction>& a) { return a.isNull(); });
  for (const QPointer<QAction>& action : actions) {
    action->setText(QString::fromStdString(item.Text()));
    action->setSeparator(item.IsSeparator());
    action->setShortcut(QKeySequence::fromString(QString::fromStdString(item.CommandKey()),
                                                 QKeySequence::PortableText));
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
  }
}

// An action hides itself: RefreshMenuViews has shown the change.
void MenuItemVisibilityChanged(MenuItem& /*item*/, const std::vector<Window*>& /*windows*/) {}

void InstallMenuBar(Window& window) {
  WindowWidget* widget = window.PlatformPeer().widget;
  Ref<MenuBar> bar = window.MenuBar();
  if (!widget) {
    return;
  }
  auto* qbar = new QMenuBar(widget);
  qbar->setNativeMenuBar(false);
  if (bar) {
    for (const Ref<MenuItem>& top : bar->Children()) {
      // A top-level menu without caption and items has nothing to show.
      if (top->Text().empty() && top->Children().empty()) {
        continue;
      }
      QMenu* menu = qbar->addMenu(QString::fromStdString(top->Text()));
      menu->setObjectName(QString::fromStdString(top->Name()));
      AddItems(window, top, menu);
      Window* target = &window;
      QObject::connect(menu, &QMenu::aboutToShow, menu, [target] { UpdateMenuEnabling(*target); });
    }
  }
  widget->setMenuBar(qbar);
  qbar->setVisible(window.FrameProperties().menuBarVisible);
}

}  // namespace fw
