// The headless backend: native objects as plain records, an event loop the
// test runs. See headless.h.

#include "framework/headless/headless.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/dialogs.h"
#include "framework/files.h"
#include "framework/picture.h"
#include "src/gui/backend.h"

namespace fw {

struct Window::Peer {
  bool exists = false;
  bool visible = false;
};

struct RectControl::Peer {
  bool visible = true;
  bool enabled = true;
  bool focus = false;
  bool readOnly = false;
  std::string text;
  std::string accessibleName;
};

struct TextArea::TextCache {};
struct Timer::Clock {};
struct Picture::Image {};

namespace {

struct HeadlessState {
  std::deque<std::function<void()>> posted;
  Window* active = nullptr;
  std::map<const Window*, int> activations;
  int reports = 0;
  int exitCode = -1;
};

HeadlessState& State() {
  static HeadlessState state;
  return state;
}

struct HeadlessViews final : MenuItem::Views {};

}  // namespace

// --- The headless side, for tests ------------------------------------------
namespace headless {

int RunPostedWork() {
  int ran = 0;
  while (!State().posted.empty()) {
    std::function<void()> work = std::move(State().posted.front());
    State().posted.pop_front();
    work();
    ++ran;
  }
  return ran;
}

void Reset() {
  State() = HeadlessState{};
}

Window* ActiveWindow() {
  return State().active;
}

int Activations(const Window& window) {
  auto it = State().activations.find(&window);
  return it == State().activations.end() ? 0 : it->second;
}

int ReportsShown() {
  return State().reports;
}

int LoopExitCode() {
  return State().exitCode;
}

void ChooseMenuItem(Window& window, MenuItem& item) {
  UpdateMenuEnabling(window);
  if (item.Enabled()) {
    MenuItemChosen(&window, item);
  }
}

}  // namespace headless

namespace {

// The platform activates the window once the current event is done.
void ActivateLater(Window& window) {
  std::weak_ptr<Object> weak = window.weak_from_this();
  PostToEventLoop([weak] {
    auto w = std::static_pointer_cast<Window>(weak.lock());
    if (!w || !NativeWindowExists(*w) || !NativeWindowVisible(*w) || State().active == w.get()) {
      return;
    }
    State().active = w.get();
    ++State().activations[w.get()];
    WindowActivated(*w, Activation::New);
  });
}

void Deactivate(const Window& window) {
  if (State().active == &window) {
    State().active = nullptr;
  }
}

}  // namespace

// --- The peer interface ----------------------------------------------------
bool NativeWindowExists(const Window& window) {
  return window.PlatformPeer().exists;
}
void NativeWindowBuilt(Window& /*window*/, const std::vector<RectControl*>& /*tabOrder*/) {}
void NativeWindowShow(Window& window) {
  window.PlatformPeer().visible = true;
  ActivateLater(window);
}
void NativeWindowHide(Window& window) {
  window.PlatformPeer().visible = false;
  Deactivate(window);
}
bool NativeWindowVisible(const Window& window) {
  return window.PlatformPeer().visible;
}
void NativeWindowActivate(Window& window) {
  ActivateLater(window);
}
bool NativeActiveWindowVisible() {
  return State().active != nullptr && State().active->PlatformPeer().visible;
}
void NativeWindowDestroy(Window& window) {
  window.PlatformPeer() = Window::Peer{};
  Deactivate(window);
}
void NativeWindowResize(Window& /*window*/) {}
void NativeControlMade(RectControl& /*control*/) {}
std::unique_ptr<MenuItem::Views> MakeMenuViews() {
  return std::make_unique<HeadlessViews>();
}
void RefreshMenuViews(MenuItem& /*item*/) {}
void NativeEditFocusedControl(Window& /*window*/, EditAction /*action*/) {}
void MenuItemVisibilityChanged(MenuItem& /*item*/, const std::vector<Window*>& /*windows*/) {}
void PostToEventLoop(std::function<void()> work) {
  State().posted.push_back(std::move(work));
}
void EndPostedWork() {
  State().posted.clear();
}

// --- The run time ----------------------------------------------------------
void RuntimeInit(void* /*instance*/, void* /*previousInstance*/,
                 const std::wstring& /*commandTail*/, int /*showMode*/) {}
int RuntimeExit() {
  return RunExitCode();
}
void ShowExceptionReport(const ExceptionReport& /*report*/) {
  ++State().reports;
}
std::optional<int> RunEventLoop() {
  headless::RunPostedWork();
  return std::nullopt;
}
void ExitEventLoop(int exitCode) {
  State().exitCode = exitCode;
}
void DispatchNonInputEvents() {}
std::string ProgramName() {
  return "headless";
}
void SetAccessibleName(RectControl& control, const std::string& name) {
  if (control.PlatformPeer() != nullptr) {
    control.PlatformPeer()->accessibleName = name;
  }
}
void Beep() {}
void MsgBox(const std::string& /*message*/) {}
Ref<FolderItem> GetOpenFolderItem(std::string_view /*filter*/) {
  return nullptr;
}
Ref<Picture> RuntimeGetPictureFromResourceManager(std::string_view /*fileName*/) {
  return nullptr;
}
Picture::Picture(std::unique_ptr<Image> image) : image_(std::move(image)) {}
Picture::~Picture() = default;
int64_t Picture::Width() const {
  return 0;
}
int64_t Picture::Height() const {
  return 0;
}

// --- Windows ----------------------------------------------------------------
Window::Window() : peer_(std::make_unique<Peer>()) {}
Window::~Window() = default;
void Window::CreatePeer() {
  peer_->exists = true;
}
void Window::ApplyFrame() {}
void Window::SetMenuBar(Ref<fw::MenuBar> bar) {
  menuBar_ = std::move(bar);
}
void Window::SetTitle(const std::string& title) {
  title_ = title;
}

// --- Controls ---------------------------------------------------------------
void RectControl::PeerDeleter::operator()(Peer* peer) const {
  delete peer;
}
void RectControl::SetBounds(const Rect& bounds) {
  bounds_ = bounds;
}
bool RectControl::Visible() const {
  return peer_ && peer_->visible;
}
void RectControl::SetVisible(bool visible) {
  if (peer_) {
    peer_->visible = visible;
  }
}
bool RectControl::Enabled() const {
  return peer_ && peer_->enabled;
}
void RectControl::SetEnabled(bool enabled) {
  if (peer_) {
    peer_->enabled = enabled;
  }
}
void RectControl::SetFocus() {
  if (peer_) {
    peer_->focus = true;
  }
}
bool RectControl::HasFocus() const {
  return peer_ && peer_->focus;
}
void RectControl::SetTabIndex(int64_t index) {
  tabIndex_ = index;
}
void RectControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
}
void RectControl::SetTooltip(const std::string& /*text*/) {}
void TextControl::ApplyFont() {}
void TextControl::ApplyColors() {}

RectControl::PeerPtr TextField::MakePeer() {
  return PeerPtr(new Peer);
}
std::string TextField::Text() const {
  return peer_ ? peer_->text : std::string();
}
void TextField::SetText(const std::string& text) {
  if (peer_) {
    peer_->text = text;
  }
}
void TextField::SetMaximumCharactersAllowed(int64_t /*count*/) {}
void TextField::SetValidationMask(const std::string& /*mask*/) {}
void TextField::SetReadOnly(bool readOnly) {
  if (peer_) {
    peer_->readOnly = readOnly;
  }
}
void TextField::SetPassword(bool /*password*/) {}
void TextField::SetHint(const std::string& /*hint*/) {}
void TextField::SetHasBorder(bool /*border*/) {}
void TextField::ApplyAlignment() {}

TextArea::TextArea() = default;
TextArea::~TextArea() = default;
RectControl::PeerPtr TextArea::MakePeer() {
  return PeerPtr(new Peer);
}
std::string TextArea::Text() const {
  return peer_ ? peer_->text : std::string();
}
void TextArea::SetText(const std::string& text) {
  if (peer_) {
    peer_->text = text;
  }
}
void TextArea::SetReadOnly(bool readOnly) {
  if (peer_) {
    peer_->readOnly = readOnly;
  }
}
bool TextArea::ReadOnly() const {
  return peer_ && peer_->readOnly;
}
void TextArea::SetScrollbars(bool horizontal, bool vertical) {
  hScroll_ = horizontal;
  vScroll_ = vertical;
}
void TextArea::SetHasBorder(bool /*border*/) {}
void TextArea::SetAllowTabs(bool /*allowTabs*/) {}
void TextArea::SetTabWidth(int64_t characters) {
  tabWidth_ = characters;
}
std::string TextArea::SelectedText() const {
  return {};
}
void TextArea::ApplyAlignment() {}
void TextArea::ApplyColors() {}
void TextArea::ApplyFont() {}
void StyledText::Bold(int64_t /*start*/, int64_t /*length*/, bool /*value*/) {}
bool StyledText::Bold(int64_t /*position*/) const {
  return false;
}
int64_t StyledText::Length() const {
  return static_cast<int64_t>(area_->Text().size());
}

RectControl::PeerPtr Label::MakePeer() {
  return PeerPtr(new Peer);
}
void Label::SetText(const std::string& text) {
  text_ = text;
}
void Label::SetMultiline(bool multiline) {
  multiline_ = multiline;
}
void Label::ApplyFont() {}
void Label::ApplyAlignment() {}
void Label::Relayout() {}

RectControl::PeerPtr PushButton::MakePeer() {
  return PeerPtr(new Peer);
}
void PushButton::SetCaption(const std::string& caption) {
  caption_ = caption;
}
void PushButton::Relayout() {}

RectControl::PeerPtr Canvas::MakePeer() {
  return PeerPtr(new Peer);
}
void Canvas::SetBackdrop(Ref<Picture> picture) {
  backdrop_ = std::move(picture);
}

// A timer fires only when a test raises its Action.
Timer::Timer() = default;
Timer::~Timer() = default;
void Timer::Restart() {}
void Timer::AttachTo(Window* window) {
  Control::AttachTo(window);
}

}  // namespace fw
