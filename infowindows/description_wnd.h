#pragma once
// The Instructions window: the fixed help text, read-only, its title bold.

#include <string>

#include "app/program_window.h"
#include "framework/controls.h"

class DescriptionWnd : public ProgramWindowClass<DescriptionWnd> {
 public:
  static constexpr std::string_view kClassName = "DescriptionWnd.DescriptionWnd";
  static constexpr fw::WindowEvent kEvents[] = {
      fw::WindowEvent::Layout, fw::WindowEvent::CreateControls, fw::WindowEvent::AddMenuHandlers,
      fw::WindowEvent::EnableMenuItems};

  void Layout() override;
  void CreateControls0() override;

  fw::Ref<fw::TextArea> DescribeFld2() const { return ControlNamed<fw::TextArea>("DescribeFld2"); }

  void DescribeFld2_Open(fw::TextArea& area);

  void AddMenuHandlers(fw::Window& window) override;
  void Event_EnableMenuItems() override;

  bool ControlMenuItem_Action();
  bool CloseMenuItem_Action();
};

namespace implicit {
inline fw::Ref<::DescriptionWnd> DescriptionWnd() {
  return ::DescriptionWnd::Implicit();
}
}  // namespace implicit
