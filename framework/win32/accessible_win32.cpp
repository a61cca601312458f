// Accessible names of text controls on Win32. The system's accessibility
// proxy names an edit control after a static control just before it among
// its siblings, which the framework's layering (labels beneath the fields)
// does not give, and a RichEdit control after nothing. A named control
// answers WM_GETOBJECT with the system's proxy, its name given by the
// framework. oleacc.dll and oleaut32.dll are loaded when first asked for, so
// that the program's imports stay the few it always needs.

#include <oleacc.h>

#include <utility>

#include "win32/win32.h"

namespace fw {
namespace {

template <class F>
F Entry(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);  // kept for the life of the process
  return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                : nullptr;
}

struct AccessibilityEntries {
  HRESULT(WINAPI* createStd)(HWND, LONG, REFIID, void**) = nullptr;
  LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
};

const AccessibilityEntries& Entries() {
  static const AccessibilityEntries entries{
      Entry<decltype(AccessibilityEntries::createStd)>(L"oleacc.dll", "CreateStdAccessibleObject"),
      Entry<decltype(AccessibilityEntries::lresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
      Entry<decltype(AccessibilityEntries::allocString)>(L"oleaut32.dll", "SysAllocString"),
  };
  return entries;
}

// The system's proxy of the control, with the framework's name for it. A COM
// object ends through Release, never through its interface's destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* proxy, std::wstring name) : proxy_(proxy), name_(std::move(name)) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return proxy_->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const auto left = static_cast<ULONG>(--references_);
    if (left == 0) {
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) {
      return proxy_->get_accName(child, name);
    }
    if (name == nullptr) {
      return E_POINTER;
    }
    *name = Entries().allocString(name_.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // Everything else is the system proxy's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return proxy_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return proxy_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return proxy_->GetIDsOfNames(riid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return proxy_->Invoke(id, riid, locale, flags, params, result, exception, argument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return proxy_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return proxy_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return proxy_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return proxy_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return proxy_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return proxy_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return proxy_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return proxy_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return proxy_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return proxy_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return proxy_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return proxy_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return proxy_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return proxy_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return proxy_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return proxy_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return proxy_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return proxy_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return proxy_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return proxy_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { proxy_->Release(); }

  IAccessible* proxy_;
  std::wstring name_;
  long references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace

void SetAccessibleName(RectControl& control, const std::string& name) {
  if (RectControl::Peer* peer = control.PlatformPeer()) {
    peer->accessibleName = Wide(name);
  }
}

std::optional<LRESULT> AnswerGetObject(HWND control, const RectControl::Peer* peer, WPARAM wParam,
                                       LPARAM lParam) {
  const AccessibilityEntries& entries = Entries();
  if (peer == nullptr || peer->accessibleName.empty() ||
      static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !entries.createStd ||
      !entries.lresultFromObject || !entries.allocString) {
    return std::nullopt;
  }
  IAccessible* proxy = nullptr;
  if (FAILED(entries.createStd(control, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&proxy))) ||
      proxy == nullptr) {
    return std::nullopt;
  }
  auto* named = new NamedAccessible(proxy, peer->accessibleName);
  const LRESULT result = entries.lresultFromObject(__uuidof(IAccessible), wParam, named);
  named->Release();
  return result;
}

}  // namespace fw
