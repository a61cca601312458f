#include "app/program_window.h"

#include "app/menu.h"

void ProgramWindow::AttachMenuBar() {
  SetMenuBar(implicit::Menu());
}

const fw::MenuBar& ProgramWindow::MenuBarOrRaise() const {
  if (!MenuBar()) {
    throw fw::NilObjectException("The window has no menu bar");
  }
  return *MenuBar();
}
