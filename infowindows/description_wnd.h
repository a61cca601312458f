#pragma once
// The Instructions window: the fixed help text, read-only, its title bold.

#include <string>

#include "app/program_window.h"
#include "framework/controls.h"

class DescriptionWnd : public ProgramWindow {
 public:
  static constexpr std::string_view kClassName = "DescriptionWnd.DescriptionWnd";
  static const fw::ClassRecord& Lookup();
  static void ctblinit();
  const fw::ClassRecord& Class() const override { return Lookup(); }

  void Layout() override;
  void CreateControls0() override;

  fw::Ref<fw::TextArea> DescribeFld2() const { return ControlNamed<fw::TextArea>("DescribeFld2"); }

  void DescribeFld2_Open(fw::TextArea& area);

  void AddMenuHandlers(fw::Window& window) override;
  void Event_EnableMenuItems() override;

  bool ControlMenuItem_Action();
  bool CloseMenuItem_Action();

  bool IsEventImplemented(const std::string& eventName) const;
};

namespace implicit {
fw::Ref<::DescriptionWnd> DescriptionWnd();
}  // namespace implicit
