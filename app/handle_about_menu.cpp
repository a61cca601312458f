#include "app/handle_about_menu.h"

#include "infowindows/about_wnd.h"

const fw::ClassRecord& HandleAboutMenu::Lookup() {
  static const fw::ClassRecord* record = nullptr;
  return fw::BuildClassRecordOnce(record, [](fw::ClassRecord& r) {
    r.name = "HandleAboutMenu";
    r.super = &fw::Application::Lookup();
    r.factory = [] { return std::make_shared<HandleAboutMenu>(); };
  });
}

void HandleAboutMenu::ctblinit() {
  Lookup();
}

bool HandleAboutMenu::AboutMenuItem_Action() {
  implicit::AboutWnd()->Show();
  return false;
}

bool HandleAboutMenu::IsEventImplemented(const std::string& eventName) const {
  return fw::RuntimeIsEventHandled(*this, "HandleAboutMenu", eventName, true);
}

fw::Ref<HandleAboutMenu> App() {
  return fw::RuntimeCheckCast<HandleAboutMenu>(fw::GetAppObject());
}
