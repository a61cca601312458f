#pragma once
// The application class: it carries the version data and the
// application-level About command.

#include <string_view>

#include "framework/application.h"

class HandleAboutMenu : public fw::RegisteredClass<HandleAboutMenu, fw::Application> {
 public:
  static constexpr std::string_view kClassName = "HandleAboutMenu";

  // Window › About Quillmere: shows the splash window again.
  bool AboutMenuItem_Action();
  void Constructor() {}
};

// The application object.
fw::Ref<HandleAboutMenu> App();
