// The menu model and its Win32 views: every window that carries a bar gets
// its own menu and accelerator table built from the one model; the model's
// state drives every view.

#include <cwctype>

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/window.h"
#include "src/gui/backend.h"
#include "win32/win32.h"

namespace fw {
namespace {

bool IsEditControl(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return _wcsicmp(name, L"Edit") == 0 || _wcsicmp(name, MSFTEDIT_CLASS) == 0;
}

// "Ctrl+Q" as an accelerator key; false when the text names none.
bool ParseCommandKey(const std::string& text, ACCEL* accel) {
  BYTE flags = FVIRTKEY;
  std::string rest = text;
  for (;;) {
    const size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 >= rest.size()) {
      break;
    }
    const std::string modifier = rest.substr(0, plus);
    if (modifier == "Ctrl") {
      flags |= FCONTROL;
    } else if (modifier == "Alt") {
      flags |= FALT;
    } else if (modifier == "Shift") {
      flags |= FSHIFT;
    } else {
      return false;
    }
    rest = rest.substr(plus + 1);
  }
  WORD key = 0;
  if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
  } else if (rest.size() >= 2 && rest[0] == 'F' &&
             std::isdigit(static_cast<unsigned char>(rest[1]))) {
    key = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
  } else {
    return false;
  }
  accel->fVirt = flags;
  accel->key = key;
  return true;
}

std::wstring Caption(const MenuItem& item) {
  std::wstring caption = Wide(item.Text());
  if (!item.CommandKey().empty()) {
    caption += L"\t" + Wide(item.CommandKey());
  }
  return caption;
}

void AddItems(Window& window, const Ref<MenuItem>& parent, HMENU menu) {
  Window::Peer& peer = window.PlatformPeer();
  for (const Ref<MenuItem>& child : parent->Children()) {
    if (!child->Visible()) {
      continue;
    }
    if (!child->Children().empty()) {
      HMENU sub = CreatePopupMenu();
      AddItems(window, child, sub);
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Wide(child->Text()).c_str());
      ViewsOf(*child).views.push_back({peer.hwnd, menu, 0, sub});
      continue;
    }
    if (child->IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    peer.commands.push_back(child);
    const auto id = static_cast<UINT>(peer.commands.size());
    AppendMenuW(menu, MF_STRING | (child->Enabled() ? MF_ENABLED : MF_GRAYED), id,
                Caption(*child).c_str());
    ViewsOf(*child).views.push_back({peer.hwnd, menu, id, nullptr});
    ACCEL accel{};
    if (ParseCommandKey(child->CommandKey(), &accel)) {
      accel.cmd = static_cast<WORD>(id);
      peer.accelTable.push_back(accel);
    }
  }
}

}  // namespace

std::unique_ptr<MenuItem::Views> MakeMenuViews() {
  return std::make_unique<MenuViews>();
}

MenuViews& ViewsOf(MenuItem& item) {
  return static_cast<MenuViews&>(item.PlatformViews());
}

void ForgetMenuViews(MenuItem& item, HWND window) {
  std::erase_if(ViewsOf(item).views,
                [window](const MenuViews::View& v) { return v.window == window; });
  for (const Ref<MenuItem>& child : item.Children()) {
    ForgetMenuViews(*child, window);
  }
}

void RefreshMenuViews(MenuItem& item) {
  const std::wstring caption = Caption(item);
  for (const MenuViews::View& view : ViewsOf(item).views) {
    if (view.id == 0) {
      continue;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    info.fState = item.Enabled() ? MFS_ENABLED : MFS_GRAYED;
    SetMenuItemInfoW(view.menu, view.id, FALSE, &info);
  }
}

void MenuItemVisibilityChanged(MenuItem& /*item*/, const std::vector<Window*>& windows) {
  // A Win32 menu hides no item: the bars that hold it are built anew.
  for (Window* window : windows) {
    InstallMenuBar(*window);
  }
}

void DestroyMenuBar(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  if (peer.hwnd != nullptr && window.MenuBar()) {
    ForgetMenuViews(*window.MenuBar(), peer.hwnd);
  }
  if (peer.menu != nullptr) {
    if (peer.hwnd != nullptr && GetMenu(peer.hwnd) == peer.menu) {
      SetMenu(peer.hwnd, nullptr);
    }
    DestroyMenu(peer.menu);
    peer.menu = nullptr;
  }
  if (peer.accelerators != nullptr) {
    DestroyAcceleratorTable(peer.accelerators);
    peer.accelerators = nullptr;
  }
  peer.commands.clear();
  peer.accelTable.clear();
}

void InstallMenuBar(Window& window) {
  Window::Peer& peer = window.PlatformPeer();
  if (peer.hwnd == nullptr) {
    return;
  }
  DestroyMenuBar(window);
  Ref<MenuBar> bar = window.MenuBar();
  if (!bar) {
    return;
  }
  peer.menu = CreateMenu();
  for (const Ref<MenuItem>& top : bar->Children()) {
    // A top-level menu without caption and items has nothing to show.
    if ((top->Text().empty() && top->Children().empty()) || !top->Visible()) {
      continue;
    }
    HMENU sub = CreatePopupMenu();
    AddItems(window, top, sub);
    AppendMenuW(peer.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Wide(top->Text()).c_str());
    ViewsOf(*top).views.push_back({peer.hwnd, peer.menu, 0, sub});
  }
  if (!peer.accelTable.empty()) {
    peer.accelerators =
        CreateAcceleratorTableW(peer.accelTable.data(), static_cast<int>(peer.accelTable.size()));
  }
  SetMenu(peer.hwnd, window.FrameProperties().menuBarVisible ? peer.menu : nullptr);
}

// A chosen command of the window's bar, by its identifier.
void RunMenuCommand(Window& window, UINT id) {
  Window::Peer& peer = window.PlatformPeer();
  const size_t index = id - 1u;
  Ref<MenuItem> item = index < peer.commands.size() ? peer.commands[index].lock() : nullptr;
  if (!item) {
    return;
  }
  Ref<Window> keep = std::static_pointer_cast<Window>(window.shared_from_this());
  MenuItemChosen(&window, *item);
}

void NativeEditFocusedControl(Window& window, EditAction action) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window.PlatformPeer().hwnd, focus) && IsEditControl(focus)) {
    PerformEdit(focus, action);
  }
}

}  // namespace fw
