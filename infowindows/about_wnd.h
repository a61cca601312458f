#pragma once
// The splash window, shown at start-up and again as the About window. It
// hands over to the main window when its timer fires or at a key or mouse
// press.

#include <string>

#include "app/program_window.h"
#include "framework/controls.h"

class AboutWnd : public ProgramWindowClass<AboutWnd> {
 public:
  static constexpr std::string_view kClassName = "AboutWnd.AboutWnd";
  static constexpr fw::WindowEvent kEvents[] = {
      fw::WindowEvent::Layout, fw::WindowEvent::CreateControls, fw::WindowEvent::KeyDown,
      fw::WindowEvent::MouseDown};

  // The window's timer: a Timer a window can own.
  class wrapper_Timer1 : public fw::RegisteredClass<wrapper_Timer1, fw::Timer> {
   public:
    static constexpr std::string_view kClassName = "AboutWnd._wrapper_Timer1";
    // Does nothing; it takes the place of the control constructor.
    void Constructor() {}
  };

  void Layout() override;
  void CreateControls0() override;

  fw::Ref<fw::Label> StaticText5() const { return ControlNamed<fw::Label>("StaticText5"); }
  fw::Ref<fw::Canvas> Canvas1() const { return ControlNamed<fw::Canvas>("Canvas1"); }
  fw::Ref<fw::TextArea> TextField1() const { return ControlNamed<fw::TextArea>("TextField1"); }
  fw::Ref<fw::Timer> Timer1() const { return ControlNamed<fw::Timer>("Timer1"); }

  void TextField1_Open(fw::TextArea& area);
  void Timer1_Action(fw::Timer& timer);

  bool Event_KeyDown(const std::string& key) override;
  bool Event_MouseDown(int64_t x, int64_t y) override;
};

namespace implicit {
inline fw::Ref<::AboutWnd> AboutWnd() {
  return ::AboutWnd::Implicit();
}
}  // namespace implicit
