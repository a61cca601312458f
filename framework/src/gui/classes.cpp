// The framework's class records: each class's name, superclass, factory and
// the properties its layout lists may set, with their declared types.

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/files.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/window.h"

namespace fw {
namespace {

template <class V>
constexpr PropertyType kTypeOf = PropertyType::Text;
template <>
constexpr PropertyType kTypeOf<bool> = PropertyType::Boolean;
template <>
constexpr PropertyType kTypeOf<int64_t> = PropertyType::Integer;
template <>
constexpr PropertyType kTypeOf<FontUnit> = PropertyType::FontUnit;
template <>
constexpr PropertyType kTypeOf<float> = PropertyType::FontSize;
template <>
constexpr PropertyType kTypeOf<double> = PropertyType::Double;
template <>
constexpr PropertyType kTypeOf<Color> = PropertyType::Color;

// A property that does something on a C.
template <class C, class V, class F>
PropertyDescriptor P(std::string_view name, F apply) {
  return {name, kTypeOf<V>, [apply](Object& target, const PropertyValue& value) {
            apply(static_cast<C&>(target), std::get<V>(value));
          }};
}

// A property the lists carry that has no effect on this platform (Mac-only
// settings, data binding, focus rings, spell checking ...): accepted, kept
// nowhere.
template <class V>
PropertyDescriptor Inert(std::string_view name) {
  return {name, kTypeOf<V>, [](Object&, const PropertyValue&) {}};
}

constexpr bool kInstantiable = true;
constexpr bool kNotInstantiable = false;

// The record of framework class C, built once: its name, its superclass
// (none for a root class), a factory when objects of it may be made, and the
// properties its layout lists may set.
template <class C, bool instantiable>
const ClassRecord& RecordOf(std::string_view name, const ClassRecord* super,
                            std::vector<PropertyDescriptor> (*properties)() = nullptr) {
  static const ClassRecord* record = nullptr;
  return BuildClassRecordOnce(record, [&](ClassRecord& r) {
    r.name = std::string(name);
    r.super = super;
    if constexpr (instantiable) {
      r.factory = [] { return std::make_shared<C>(); };
    }
    if (properties) {
      r.properties = properties();
    }
  });
}

}  // namespace

struct WindowProperties {
  static std::vector<PropertyDescriptor> Make() {
    using W = Window;
    auto frame = [](auto member) {
      return [member](W& w, auto value) {
        w.frame_.*member = value;
        w.ApplyFrame();
      };
    };
    return {
        P<W, int64_t>("Width", [](W& w, int64_t v) { w.SetSize(v, w.Height()); }),
        P<W, int64_t>("Height", [](W& w, int64_t v) { w.SetSize(w.Width(), v); }),
        P<W, int64_t>("MinimumWidth", frame(&W::Frame::minWidth)),
        P<W, int64_t>("MinimumHeight", frame(&W::Frame::minHeight)),
        P<W, int64_t>("MaximumWidth", frame(&W::Frame::maxWidth)),
        P<W, int64_t>("MaximumHeight", frame(&W::Frame::maxHeight)),
        P<W, int64_t>("Type", frame(&W::Frame::type)),
        P<W, std::string>("Title", [](W& w, const std::string& v) { w.SetTitle(v); }),
        P<W, bool>("HasCloseButton", frame(&W::Frame::closeButton)),
        P<W, bool>("HasMaximizeButton", frame(&W::Frame::maximizeButton)),
        P<W, bool>("HasMinimizeButton", frame(&W::Frame::minimizeButton)),
        Inert<bool>("HasFullScreenButton"),
        P<W, bool>("Resizeable", frame(&W::Frame::resizeable)),
        Inert<bool>("Composite"),
        Inert<int64_t>("MacProcID"),
        Inert<bool>("FullScreen"),
        Inert<int64_t>("DefaultLocation"),
        P<W, bool>("Visible", [](W& w, bool v) { w.SetVisible(v); }),
        P<W, bool>("HasBackgroundColor", frame(&W::Frame::hasBackgroundColor)),
        P<W, Color>("BackgroundColor", frame(&W::Frame::backgroundColor)),
        P<W, bool>("MenuBarVisible", frame(&W::Frame::menuBarVisible)),
        Inert<bool>("LiveResize"),
    };
  }
};

struct RectControlProperties {
  static std::vector<PropertyDescriptor> Make() {
    using R = RectControl;
    auto bound = [](int64_t Rect::*member) {
      return [member](R& r, int64_t v) {
        Rect b = r.Bounds();
        b.*member = v;
        r.SetBounds(b);
      };
    };
    auto lock = [](bool EdgeLocks::*member) {
      return [member](R& r, bool v) {
        EdgeLocks l = r.Locks();
        l.*member = v;
        r.SetLocks(l);
      };
    };
    return {
        P<R, int64_t>("Left", bound(&Rect::left)),
        P<R, int64_t>("Top", bound(&Rect::top)),
        P<R, int64_t>("Width", bound(&Rect::width)),
        P<R, int64_t>("Height", bound(&Rect::height)),
        P<R, bool>("LockLeft", lock(&EdgeLocks::left)),
        P<R, bool>("LockTop", lock(&EdgeLocks::top)),
        P<R, bool>("LockRight", lock(&EdgeLocks::right)),
        P<R, bool>("LockBottom", lock(&EdgeLocks::bottom)),
        P<R, int64_t>("TabIndex", [](R& r, int64_t v) { r.SetTabIndex(v); }),
        Inert<int64_t>("TabPanelIndex"),
        P<R, bool>("TabStop", [](R& r, bool v) { r.SetTabStop(v); }),
        Inert<bool>("AllowAutoDeactivate"),
        P<R, bool>("Enabled", [](R& r, bool v) { r.SetEnabled(v); }),
        P<R, std::string>("Tooltip", [](R& r, const std::string& v) { r.SetTooltip(v); }),
        Inert<bool>("AllowFocusRing"),
        P<R, bool>("Visible", [](R& r, bool v) { r.SetVisible(v); }),
        Inert<std::string>("InitialParent"),
        Inert<bool>("Transparent"),
    };
  }
};

const ClassRecord& Window::Lookup() {
  return RecordOf<Window, kNotInstantiable>("Window", nullptr,
                                            [] { return WindowProperties::Make(); });
}

bool Window::Implements(WindowEvent event) const {
  for (const ClassRecord* c = &Class(); c != nullptr; c = c->super) {
    if (c->ImplementsEvent(event)) {
      return true;
    }
  }
  return false;
}

const ClassRecord& Control::Lookup() {
  return RecordOf<Control, kNotInstantiable>("Control", nullptr, [] {
    return std::vector<PropertyDescriptor>{
        P<Control, std::string>("Name", [](Control& c, const std::string& v) { c.name_ = v; }),
        Inert<int64_t>("Index"),
    };
  });
}

const ClassRecord& RectControl::Lookup() {
  return RecordOf<RectControl, kNotInstantiable>("RectControl", &Control::Lookup(),
                                                 [] { return RectControlProperties::Make(); });
}

const ClassRecord& TextControl::Lookup() {
  using T = TextControl;
  return RecordOf<TextControl, kNotInstantiable>("TextControl", &RectControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        P<T, std::string>("FontName", [](T& t, const std::string& v) { t.SetFontName(v); }),
        P<T, float>("FontSize", [](T& t, float v) { t.SetFontSize(v); }),
        Inert<FontUnit>("FontUnit"),
        P<T, bool>("Bold", [](T& t, bool v) { t.SetBold(v); }),
        P<T, bool>("Italic", [](T& t, bool v) { t.SetItalic(v); }),
        P<T, bool>("Underline", [](T& t, bool v) { t.SetUnderline(v); }),
        P<T, Color>("TextColor", [](T& t, Color v) { t.SetTextColor(v); }),
        P<T, Color>("BackgroundColor", [](T& t, Color v) { t.SetBackgroundColor(v); }),
        P<T, int64_t>("TextAlignment",
                      [](T& t, int64_t v) { t.SetAlignment(static_cast<TextAlignment>(v)); }),
        Inert<std::string>("DataSource"),
        Inert<std::string>("DataField"),
    };
  });
}

const ClassRecord& TextField::Lookup() {
  using T = TextField;
  return RecordOf<TextField, kInstantiable>("TextField", &TextControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        P<T, bool>("HasBorder", [](T& t, bool v) { t.SetHasBorder(v); }),
        Inert<std::string>("Format"),
        P<T, bool>("Password", [](T& t, bool v) { t.SetPassword(v); }),
        P<T, std::string>("Hint", [](T& t, const std::string& v) { t.SetHint(v); }),
        P<T, std::string>("Value", [](T& t, const std::string& v) { t.SetText(v); }),
        Inert<bool>("AllowTabs"),
        Inert<bool>("AllowSpellChecking"),
        P<T, int64_t>("MaximumCharactersAllowed",
                      [](T& t, int64_t v) { t.SetMaximumCharactersAllowed(v); }),
        P<T, std::string>("ValidationMask",
                          [](T& t, const std::string& v) { t.SetValidationMask(v); }),
        P<T, bool>("ReadOnly", [](T& t, bool v) { t.SetReadOnly(v); }),
    };
  });
}

const ClassRecord& TextArea::Lookup() {
  using T = TextArea;
  return RecordOf<TextArea, kInstantiable>("TextArea", &TextControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        P<T, bool>("HasBorder", [](T& t, bool v) { t.SetHasBorder(v); }),
        Inert<std::string>("Format"),
        P<T, bool>("HideSelection", [](T& t, bool v) { t.SetHideSelection(v); }),
        Inert<double>("LineHeight"),
        Inert<double>("LineSpacing"),
        P<T, bool>("Multiline", [](T& t, bool v) { t.SetMultiline(v); }),
        P<T, bool>("HasHorizontalScrollbar", [](T& t, bool v) { t.SetScrollbars(v, t.vScroll_); }),
        P<T, bool>("HasVerticalScrollbar", [](T& t, bool v) { t.SetScrollbars(t.hScroll_, v); }),
        // Pasted text always arrives plain; the program styles its text itself.
        Inert<bool>("AllowStyledText"),
        P<T, std::string>("Value", [](T& t, const std::string& v) { t.SetText(v); }),
        P<T, bool>("AllowTabs", [](T& t, bool v) { t.SetAllowTabs(v); }),
        Inert<bool>("AllowSpellChecking"),
        Inert<int64_t>("MaximumCharactersAllowed"),  // not enforced: the program sets none
        Inert<std::string>("ValidationMask"),
        P<T, bool>("ReadOnly", [](T& t, bool v) { t.SetReadOnly(v); }),
    };
  });
}

const ClassRecord& StyledText::Lookup() {
  return RecordOf<StyledText, kNotInstantiable>("StyledText", nullptr);
}

const ClassRecord& Label::Lookup() {
  using T = Label;
  return RecordOf<Label, kInstantiable>("Label", &TextControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        P<T, bool>("Multiline", [](T& t, bool v) { t.SetMultiline(v); }),
        Inert<bool>("Selectable"),
        P<T, std::string>("Value", [](T& t, const std::string& v) { t.SetText(v); }),
    };
  });
}

const ClassRecord& PushButton::Lookup() {
  using T = PushButton;
  return RecordOf<PushButton, kInstantiable>("PushButton", &TextControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        Inert<int64_t>("MacButtonStyle"),
        Inert<bool>("Cancel"),
        P<T, std::string>("Caption", [](T& t, const std::string& v) { t.SetCaption(v); }),
        P<T, bool>("Default", [](T& t, bool v) { t.SetDefault(v); }),
    };
  });
}

const ClassRecord& Canvas::Lookup() {
  return RecordOf<Canvas, kInstantiable>("Canvas", &RectControl::Lookup(), [] {
    return std::vector<PropertyDescriptor>{Inert<bool>("AllowFocus"), Inert<bool>("AllowTabs"),
                                           Inert<bool>("DoubleBuffer")};
  });
}

const ClassRecord& Timer::Lookup() {
  using T = Timer;
  return RecordOf<Timer, kInstantiable>("Timer", &Control::Lookup(), [] {
    return std::vector<PropertyDescriptor>{
        P<T, int64_t>("RunMode", [](T& t, int64_t v) { t.SetRunMode(v); }),
        P<T, int64_t>("Period", [](T& t, int64_t v) { t.SetPeriod(v); }),
    };
  });
}

const ClassRecord& MenuItem::Lookup() {
  return RecordOf<MenuItem, kInstantiable>("MenuItem", nullptr);
}

const ClassRecord& MenuBar::Lookup() {
  return RecordOf<MenuBar, kInstantiable>("MenuBar", &MenuItem::Lookup());
}

const ClassRecord& QuitMenuItem::Lookup() {
  return RecordOf<QuitMenuItem, kInstantiable>("QuitMenuItem", &MenuItem::Lookup());
}

const ClassRecord& Application::Lookup() {
  return RecordOf<Application, kNotInstantiable>("Application", nullptr);
}

const ClassRecord& Picture::Lookup() {
  return RecordOf<Picture, kNotInstantiable>("Picture", nullptr);
}

}  // namespace fw
