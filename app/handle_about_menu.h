#pragma once
// The application class: it carries the version data and the
// application-level About command.

#include <string>

#include "framework/application.h"

class HandleAboutMenu : public fw::Application {
 public:
  static const fw::ClassRecord& Lookup();
  static void ctblinit();
  const fw::ClassRecord& Class() const override { return Lookup(); }

  // Window › About Quillmere: shows the splash window again.
  bool AboutMenuItem_Action();
  void Constructor() {}

  bool IsEventImplemented(const std::string& eventName) const;
};

// The application object.
fw::Ref<HandleAboutMenu> App();
