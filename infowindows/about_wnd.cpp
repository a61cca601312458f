#include "infowindows/about_wnd.h"

#include "app/pictures.h"
#include "app/windows.h"
#include "infowindows/about_wnd_layout.h"

template fw::Ref<fw::Window> windows::Implicit<AboutWnd>();
template void windows::ClassInit<AboutWnd>();

void windows::AboutWndTimerClassInit() {
  AboutWnd::wrapper_Timer1::ctblinit();
}

void AboutWnd::Layout() {
  AttachMenuBar();
  fw::SetProperties(*this, about_wnd_layout::Window());
}

void AboutWnd::CreateControls0() {
  fw::SetProperties(*NewControl<fw::Label>("StaticText5"), about_wnd_layout::StaticText5());

  // The backdrop goes on before the list is applied.
  NewControl<fw::Canvas>("Canvas1")->SetBackdrop(R256());
  fw::SetProperties(*Canvas1(), about_wnd_layout::Canvas1());

  fw::SetProperties(*NewControl<fw::TextArea>("TextField1"), about_wnd_layout::TextField1());
  fw::RuntimeAddEventHandler(*TextField1(), fw::EventNumber::Open,
                             fw::RuntimeCreateDelegate(&AboutWnd::TextField1_Open, this));

  // The timer is the window's own subclass, built by its own empty
  // constructor rather than a control constructor.
  auto timer = fw::RuntimeCheckCast<wrapper_Timer1>(New(wrapper_Timer1::Lookup()));
  timer->Constructor();
  AddControl("Timer1", timer);
  fw::SetProperties(*Timer1(), about_wnd_layout::Timer1());
  fw::RuntimeAddEventHandler(*Timer1(), fw::EventNumber::Action,
                             fw::RuntimeCreateDelegate(&AboutWnd::Timer1_Action, this));
}

void AboutWnd::TextField1_Open(fw::TextArea& area) {
  area.SetBold(true);
  area.SetFontSize(24.0f);
}

namespace {

// The splash gives way to the main window. It is hidden first, so a main
// window that fails to appear leaves no splash in its place.
void HandOver() {
  implicit::AboutWnd()->Hide();
  windows::Implicit<ControlWnd>()->Show();
}

}  // namespace

void AboutWnd::Timer1_Action(fw::Timer& /*timer*/) {
  HandOver();
}

bool AboutWnd::Event_KeyDown(const std::string& /*key*/) {
  HandOver();
  return false;
}

bool AboutWnd::Event_MouseDown(int64_t /*x*/, int64_t /*y*/) {
  HandOver();
  return false;
}
