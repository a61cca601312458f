#include "infowindows/description_wnd.h"

#include "app/windows.h"
#include "framework/text.h"
#include "infowindows/description_wnd_layout.h"
#include "infowindows/help_text.h"

template fw::Ref<fw::Window> windows::Implicit<DescriptionWnd>();
template void windows::ClassInit<DescriptionWnd>();

void DescriptionWnd::Layout() {
  AttachMenuBar();
  fw::SetProperties(*this, description_wnd_layout::Window());
}

void DescriptionWnd::CreateControls0() {
  fw::SetProperties(*NewControl<fw::TextArea>("DescribeFld2"),
                    description_wnd_layout::DescribeFld2());
  fw::RuntimeAddEventHandler(*DescribeFld2(), fw::EventNumber::Open,
                             fw::RuntimeCreateDelegate(&DescriptionWnd::DescribeFld2_Open, this));
}

void DescriptionWnd::DescribeFld2_Open(fw::TextArea& /*area*/) {
  // Only the title is bold; its line end and the rest stay plain.
  DescribeFld2()->StyledText()->Bold(0, fw::Len(infowindows::HelpTitle()), true);
}

void DescriptionWnd::AddMenuHandlers(fw::Window& window) {
  auto self = fw::RuntimeCheckCast<DescriptionWnd>(window.shared_from_this());
  self->AddMenuHandler("ControlMenuItem", fw::RuntimeCreateDelegate(
                                              &DescriptionWnd::ControlMenuItem_Action, self.get()));
  self->AddMenuHandler("CloseMenuItem", fw::RuntimeCreateDelegate(
                                            &DescriptionWnd::CloseMenuItem_Action, self.get()));
}

void DescriptionWnd::Event_EnableMenuItems() {
  ControlMenuItem()->SetEnabled(true);
  CloseMenuItem()->SetEnabled(true);
  EditCopy()->SetEnabled(true);
}

bool DescriptionWnd::ControlMenuItem_Action() {
  windows::Implicit<ControlWnd>()->Show();
  return false;
}

bool DescriptionWnd::CloseMenuItem_Action() {
  implicit::DescriptionWnd()->Close();
  return false;
}
