// The main window's plain commands, its menu commands and its reactions to
// window events.

#include "analysis/control_wnd.h"
#include "app/module1.h"
#include "app/windows.h"
#include "framework/runtime.h"

void ControlWnd::ClearBtn_Action(fw::PushButton& /*button*/) {
  // Back to the state of a new window; every control is fetched anew.
  Nvariables()->SetText("");
  Nvariables()->SetFocus();
  corrFld()->SetText("");
  mcFld()->SetText("");
  Module1::MyData.Redim(-1, -1);
  Rtext()->SetVisible(false);
  Rtext1()->SetVisible(false);
  text2()->SetVisible(false);
  mcFld()->SetVisible(false);
}

void ControlWnd::infoBtn_Action(fw::PushButton& /*button*/) {
  windows::Implicit<DescriptionWnd>()->Show();
}

void ControlWnd::AddMenuHandlers(fw::Window& window) {
  auto self = fw::RuntimeCheckCast<ControlWnd>(window.shared_from_this());
  self->AddMenuHandler(
      "DescriptionMenuItem",
      fw::RuntimeCreateDelegate(&ControlWnd::DescriptionMenuItem_Action, self.get()));
  self->AddMenuHandler("FileQuit",
                       fw::RuntimeCreateDelegate(&ControlWnd::FileQuit_Action, self.get()));
  self->AddMenuHandler("CloseMenuItem",
                       fw::RuntimeCreateDelegate(&ControlWnd::CloseMenuItem_Action, self.get()));
  self->AddMenuHandler("AboutMenuItem",
                       fw::RuntimeCreateDelegate(&ControlWnd::AboutMenuItem_Action, self.get()));
  self->AddMenuHandler("EditCopy",
                       fw::RuntimeCreateDelegate(&ControlWnd::EditCopy_Action, self.get()));
}

void ControlWnd::Event_EnableMenuItems() {
  // Window > Control would only bring back this window.
  ControlMenuItem()->SetEnabled(false);
  DescriptionMenuItem()->SetEnabled(true);
  AboutMenuItem()->SetEnabled(true);
  CloseMenuItem()->SetEnabled(true);
  EditUndo()->SetEnabled(true);
  EditCut()->SetEnabled(true);
  EditCopy()->SetEnabled(true);
  EditPaste()->SetEnabled(true);
}

// The splash never stays over the main window. After the user closed it, the
// accessor makes a new one, hidden at once.
void ControlWnd::Event_Activate() {
  windows::Implicit<AboutWnd>()->Hide();
}

// Closing the main window ends the program, whatever closed it.
void ControlWnd::Event_Close() {
  fw::Quit(0);
}

bool ControlWnd::DescriptionMenuItem_Action() {
  windows::Implicit<DescriptionWnd>()->Show();
  return false;
}

bool ControlWnd::FileQuit_Action() {
  fw::Quit(0);
  return false;
}

bool ControlWnd::CloseMenuItem_Action() {
  implicit::ControlWnd()->Close();
  return false;
}

bool ControlWnd::AboutMenuItem_Action() {
  windows::Implicit<AboutWnd>()->Show();
  return false;
}

// The focused field copies by itself; nothing is left to do here.
bool ControlWnd::EditCopy_Action() {
  return true;
}
