#include "startup/handle_about_menu.h"

#include "app/windows.h"

bool HandleAboutMenu::AboutMenuItem_Action() {
  windows::Implicit<AboutWnd>()->Show();
  return false;
}

fw::Ref<HandleAboutMenu> App() {
  return fw::RuntimeCheckCast<HandleAboutMenu>(fw::GetAppObject());
}
