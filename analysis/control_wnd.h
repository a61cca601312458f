#pragma once
// The main analysis window: the variable count and the correlation matrix in,
// R and SMC for every variable out.

#include <cstdint>
#include <optional>
#include <string>

#include "app/program_window.h"
#include "framework/controls.h"

class ControlWnd : public ProgramWindowClass<ControlWnd> {
 public:
  static constexpr std::string_view kClassName = "ControlWnd.ControlWnd";
  static constexpr fw::WindowEvent kEvents[] = {
      fw::WindowEvent::Layout, fw::WindowEvent::CreateControls, fw::WindowEvent::AddMenuHandlers,
      fw::WindowEvent::Close,  fw::WindowEvent::Activate,       fw::WindowEvent::EnableMenuItems};

  void Layout() override;
  void CreateControls0() override;

  // The control accessors: looked up by name at every call.
  fw::Ref<fw::Canvas> Canvas1() const { return ControlNamed<fw::Canvas>("Canvas1"); }
  fw::Ref<fw::TextField> Nvariables() const { return ControlNamed<fw::TextField>("Nvariables"); }
  fw::Ref<fw::TextArea> corrFld() const { return ControlNamed<fw::TextArea>("corrFld"); }
  fw::Ref<fw::TextArea> mcFld() const { return ControlNamed<fw::TextArea>("mcFld"); }
  fw::Ref<fw::PushButton> ClearBtn() const { return ControlNamed<fw::PushButton>("ClearBtn"); }
  fw::Ref<fw::PushButton> CalculateBtn() const {
    return ControlNamed<fw::PushButton>("CalculateBtn");
  }
  fw::Ref<fw::Label> StaticText1() const { return ControlNamed<fw::Label>("StaticText1"); }
  fw::Ref<fw::TextArea> TextArea1() const { return ControlNamed<fw::TextArea>("TextArea1"); }
  fw::Ref<fw::Label> StaticText3() const { return ControlNamed<fw::Label>("StaticText3"); }
  fw::Ref<fw::PushButton> loadBtn() const { return ControlNamed<fw::PushButton>("loadBtn"); }
  fw::Ref<fw::PushButton> infoBtn() const { return ControlNamed<fw::PushButton>("infoBtn"); }
  fw::Ref<fw::Label> Label1() const { return ControlNamed<fw::Label>("Label1"); }
  fw::Ref<fw::Label> Rtext() const { return ControlNamed<fw::Label>("Rtext"); }
  fw::Ref<fw::Label> text2() const { return ControlNamed<fw::Label>("text2"); }
  fw::Ref<fw::Label> Rtext1() const { return ControlNamed<fw::Label>("Rtext1"); }

  // Control events.
  bool Nvariables_KeyDown(fw::TextField& field, const std::string& key);
  void corrFld_Open(fw::TextArea& area);
  void ClearBtn_Action(fw::PushButton& button);
  void CalculateBtn_Action(fw::PushButton& button);
  void TextArea1_Open(fw::TextArea& area);
  void loadBtn_Action(fw::PushButton& button);
  void infoBtn_Action(fw::PushButton& button);

  // Window events.
  void AddMenuHandlers(fw::Window& window) override;
  void Event_Close() override;
  void Event_Activate() override;
  void Event_EnableMenuItems() override;

  // Menu handlers.
  bool DescriptionMenuItem_Action();
  bool FileQuit_Action();
  bool CloseMenuItem_Action();
  bool AboutMenuItem_Action();
  bool EditCopy_Action();

 private:
  // The variable count read from Nvariables; outside 3 to 99 it shows the
  // range message and gives nothing, so the caller ends its action.
  std::optional<int64_t> CheckedCount() const;
  // Shows the message, if there is one, and answers whether there was.
  static bool Refused(const std::optional<std::string>& message);
};

namespace implicit {
// The main window: the live one, or a new one.
inline fw::Ref<::ControlWnd> ControlWnd() {
  return ::ControlWnd::Implicit();
}
}  // namespace implicit
