#include "analysis/control_wnd.h"

#include "analysis/control_wnd_layout.h"
#include "analysis/variable_count.h"
#include "app/pictures.h"
#include "app/windows.h"
#include "framework/control.h"
#include "framework/dialogs.h"
#include "framework/object.h"

template fw::Ref<fw::Window> windows::Implicit<ControlWnd>();
template void windows::ClassInit<ControlWnd>();

void ControlWnd::Layout() {
  AttachMenuBar();
  fw::SetProperties(*this, ControlWndLayout::Window());
}

// Each control is made, given its list, and has its handler hooked before the
// next one is made; the framework raises Open events only after all of this.
void ControlWnd::CreateControls0() {
  namespace layout = ControlWndLayout;
  auto hook = [this](const auto& control, fw::EventNumber event, auto handler) {
    fw::RuntimeAddEventHandler(*control, event, fw::RuntimeCreateDelegate(handler, this));
  };

  NewControl<fw::Canvas>("Canvas1")->SetBackdrop(R128());
  fw::SetProperties(*ControlNamed<fw::Canvas>("Canvas1"), layout::Canvas1());

  fw::SetProperties(*NewControl<fw::TextField>("Nvariables"), layout::Nvariables());
  hook(ControlNamed<fw::TextField>("Nvariables"), fw::EventNumber::KeyDown,
       &ControlWnd::Nvariables_KeyDown);

  fw::SetProperties(*NewControl<fw::TextArea>("corrFld"), layout::corrFld());
  hook(ControlNamed<fw::TextArea>("corrFld"), fw::EventNumber::Open, &ControlWnd::corrFld_Open);

  fw::SetProperties(*NewControl<fw::TextArea>("mcFld"), layout::mcFld());
  // "R TAB SMC": a stop at ten digit widths puts the SMC column under the
  // heading R squared, as the first column stands under R.
  ControlNamed<fw::TextArea>("mcFld")->SetTabWidth(10);

  fw::SetProperties(*NewControl<fw::PushButton>("ClearBtn"), layout::ClearBtn());
  hook(ControlNamed<fw::PushButton>("ClearBtn"), fw::EventNumber::Action,
       &ControlWnd::ClearBtn_Action);

  fw::SetProperties(*NewControl<fw::PushButton>("CalculateBtn"), layout::CalculateBtn());
  hook(ControlNamed<fw::PushButton>("CalculateBtn"), fw::EventNumber::Action,
       &ControlWnd::CalculateBtn_Action);

  fw::SetProperties(*NewControl<fw::Label>("StaticText1"), layout::StaticText1());

  fw::SetProperties(*NewControl<fw::TextArea>("TextArea1"), layout::TextArea1());
  hook(ControlNamed<fw::TextArea>("TextArea1"), fw::EventNumber::Open, &ControlWnd::TextArea1_Open);

  fw::SetProperties(*NewControl<fw::Label>("StaticText3"), layout::StaticText3());

  fw::SetProperties(*NewControl<fw::PushButton>("loadBtn"), layout::loadBtn());
  hook(ControlNamed<fw::PushButton>("loadBtn"), fw::EventNumber::Action,
       &ControlWnd::loadBtn_Action);

  fw::SetProperties(*NewControl<fw::PushButton>("infoBtn"), layout::infoBtn());
  hook(ControlNamed<fw::PushButton>("infoBtn"), fw::EventNumber::Action,
       &ControlWnd::infoBtn_Action);

  fw::SetProperties(*NewControl<fw::Label>("Label1"), layout::Label1());
  fw::SetProperties(*NewControl<fw::Label>("Rtext"), layout::Rtext());
  fw::SetProperties(*NewControl<fw::Label>("text2"), layout::text2());
  fw::SetProperties(*NewControl<fw::Label>("Rtext1"), layout::Rtext1());
}

// The matrix field starts empty, whatever its list holds.
void ControlWnd::corrFld_Open(fw::TextArea& /*area*/) {
  corrFld()->SetText("");
}

// The title ends bold at 46, a little smaller than its list's 50.
void ControlWnd::TextArea1_Open(fw::TextArea& area) {
  area.SetBold(true);
  area.SetFontSize(46.0f);
}

std::optional<int64_t> ControlWnd::CheckedCount() const {
  const int64_t count = VariableCount(Nvariables()->Text());
  if (!IsValidVariableCount(count)) {
    fw::MsgBox(std::string(kCountRangeMessage));
    return std::nullopt;
  }
  return count;
}

bool ControlWnd::Refused(const std::optional<std::string>& message) {
  if (message) {
    fw::MsgBox(*message);
  }
  return message.has_value();
}
