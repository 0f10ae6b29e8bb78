// IAccessible over an AccessibleSource (see accessible_window.h). Out parameters are set on every
// path, failures included, as COM wants; child ids are the items' ids, and the children are
// enumerated through IEnumVARIANT, since they are not numbered 1 to n.
#include "box/platform/win32/accessible_window.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <new>

namespace velmo {

struct AccessibleWindow::Link {
  HWND hwnd;
  AccessibleSource* source;  // nullptr once the window's host is gone
};

namespace {

long RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kStaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kGraphic:
      return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::kPageTab:
      return ROLE_SYSTEM_PAGETAB;
    case AccessibleRole::kCheckButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::kProgressBar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::kAlert:
      return ROLE_SYSTEM_ALERT;
    case AccessibleRole::kText:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kList:
      return ROLE_SYSTEM_LIST;
  }
  return ROLE_SYSTEM_CLIENT;
}

HRESULT Text(const std::u16string& s, BSTR* out) {
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

POINT ClientOrigin(HWND hwnd) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  return origin;
}

class Object final : public IAccessible, public IEnumVARIANT {
 public:
  explicit Object(std::shared_ptr<AccessibleWindow::Link> link, ULONG cursor = 0)
      : link_(std::move(link)), cursor_(cursor) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (riid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: readers call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_INVALIDARG;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_INVALIDARG;
    *parent = nullptr;
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(link_->hwnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_INVALIDARG;
    *count = 0;
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(Items().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    if (!item) return E_INVALIDARG;  // the object is not its own child
    return item->native ? NativeObject(*item, out) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_INVALIDARG;
    *name = nullptr;
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    const std::u16string& text = item ? item->name : link_->source->AccessibleNow().name;
    return text.empty() ? S_FALSE : Text(text, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_INVALIDARG;
    *value = nullptr;
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    if (!item || item->value.empty()) return DISP_E_MEMBERNOTFOUND;
    return Text(item->value, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    return NotSupported(text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_INVALIDARG;
    VariantInit(role);
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    role->vt = VT_I4;
    role->lVal = item ? RoleOf(item->role) : ROLE_SYSTEM_CLIENT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_INVALIDARG;
    VariantInit(state);
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    const HWND hwnd = link_->hwnd;
    const bool window_focused = GetFocus() == hwnd;
    long bits = 0;
    if (!item) {
      bits = STATE_SYSTEM_FOCUSABLE | (window_focused ? STATE_SYSTEM_FOCUSED : 0) |
             (IsWindowVisible(hwnd) ? 0 : STATE_SYSTEM_INVISIBLE);
    } else {
      if (item->unavailable) bits |= STATE_SYSTEM_UNAVAILABLE;
      if (item->invisible) bits |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
      if (item->focused && window_focused) bits |= STATE_SYSTEM_FOCUSED;
      if (item->checked) {
        bits |=
            item->role == AccessibleRole::kPageTab ? STATE_SYSTEM_SELECTED : STATE_SYSTEM_CHECKED;
      }
      if (item->role == AccessibleRole::kAlert) bits |= STATE_SYSTEM_ALERT_MEDIUM;
    }
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return NotSupported(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) *topic = 0;
    return NotSupported(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
    return NotSupported(text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_INVALIDARG;
    VariantInit(focus);
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    const HWND hwnd = link_->hwnd, focused = GetFocus();
    if (focused == hwnd) {
      auto item = std::find_if(Items().begin(), Items().end(),
                               [](const AccessibleItem& i) { return i.focused && !i.native; });
      focus->vt = VT_I4;
      focus->lVal = item == Items().end() ? CHILDID_SELF : item->id;
      return S_OK;
    }
    for (const AccessibleItem& item : Items()) {
      if (item.native && focused && link_->source->NativeWindowOf(item.id) == focused) {
        return ChildVariant(item, focus);
      }
    }
    return S_OK;  // VT_EMPTY: the keyboard is elsewhere
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection) VariantInit(selection);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_INVALIDARG;
    *action = nullptr;
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    if (!item || item->default_action.empty()) return S_FALSE;
    return Text(item->default_action, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_INVALIDARG;
    *left = *top = *width = *height = 0;
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    PixelRect area = item ? item->area : ClientArea();
    POINT origin = ClientOrigin(link_->hwnd);
    *left = area.left + origin.x;
    *top = area.top + origin.y;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
  }
  // Deprecated for clients, still asked by some: the children in order, and none beside.
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_INVALIDARG;
    VariantInit(end);
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(start, &item);
    if (FAILED(hr)) return hr;
    const std::vector<AccessibleItem>& items = Items();
    std::ptrdiff_t at = item ? item - items.data() : -1;
    std::ptrdiff_t to = -1;
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      if (item) return S_FALSE;  // a simple element has no children
      to = direction == NAVDIR_FIRSTCHILD ? 0 : static_cast<std::ptrdiff_t>(items.size()) - 1;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) {
      if (!item) return S_FALSE;  // the window's siblings are its parent's to tell
      to = at + (direction == NAVDIR_NEXT ? 1 : -1);
    } else {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (to < 0 || to >= static_cast<std::ptrdiff_t>(items.size())) return S_FALSE;
    return ChildVariant(items[static_cast<std::size_t>(to)], end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_INVALIDARG;
    VariantInit(hit);
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    POINT origin = ClientOrigin(link_->hwnd);
    const int cx = x - origin.x, cy = y - origin.y;
    PixelRect client = ClientArea();
    if (cx < client.left || cy < client.top || cx >= client.right || cy >= client.bottom) {
      return S_FALSE;
    }
    const std::vector<AccessibleItem>& items = Items();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {  // the last painted lies on top
      const PixelRect& a = it->area;
      if (!it->invisible && cx >= a.left && cy >= a.top && cx < a.right && cy < a.bottom) {
        return ChildVariant(*it, hit);
      }
    }
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const AccessibleItem* item = nullptr;
    HRESULT hr = Find(child, &item);
    if (FAILED(hr)) return hr;
    if (!item || item->default_action.empty() || item->unavailable) return DISP_E_MEMBERNOTFOUND;
    // The reader's call returns first; the host then clicks.
    return PostMessageW(link_->hwnd, kAccessibleActionMessage, static_cast<WPARAM>(item->id), 0)
               ? S_OK
               : HRESULT_FROM_WIN32(GetLastError());
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

  // IEnumVARIANT: the children, by their place in the view.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (!out) return E_INVALIDARG;
    for (ULONG i = 0; i < count; ++i) VariantInit(&out[i]);
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem>& items = Items();
    ULONG n = 0;
    for (; n < count && cursor_ < items.size(); ++n, ++cursor_) {
      HRESULT hr = ChildVariant(items[cursor_], &out[n]);
      if (FAILED(hr)) {
        for (ULONG i = 0; i < n; ++i) VariantClear(&out[i]);
        return hr;
      }
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    const std::size_t size = Items().size();
    bool all = cursor_ + count <= size;
    cursor_ = static_cast<ULONG>(std::min<std::size_t>(size, cursor_ + count));
    return all ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    cursor_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_INVALIDARG;
    *out = new (std::nothrow) Object(link_, cursor_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~Object() = default;

  const std::vector<AccessibleItem>& Items() { return link_->source->AccessibleNow().items; }

  PixelRect ClientArea() {
    RECT r{};
    GetClientRect(link_->hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
  }

  // The item a child id names; nullptr for CHILDID_SELF.
  HRESULT Find(const VARIANT& child, const AccessibleItem** item) {
    *item = nullptr;
    if (!link_->source) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    const std::vector<AccessibleItem>& items = Items();
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const AccessibleItem& i) { return i.id == child.lVal; });
    if (it == items.end()) return E_INVALIDARG;
    *item = &*it;
    return S_OK;
  }

  HRESULT NativeObject(const AccessibleItem& item, IDispatch** out) {
    HWND window = link_->source->NativeWindowOf(item.id);
    if (!window) return S_FALSE;
    return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(out));
  }

  // A native child as its own object, a painted one as its id.
  HRESULT ChildVariant(const AccessibleItem& item, VARIANT* out) {
    IDispatch* object = nullptr;
    if (item.native && NativeObject(item, &object) == S_OK && object) {
      out->vt = VT_DISPATCH;
      out->pdispVal = object;
    } else {
      out->vt = VT_I4;
      out->lVal = item.id;
    }
    return S_OK;
  }

  static HRESULT NotSupported(BSTR* out) {
    if (out) *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }

  std::atomic<ULONG> refs_{1};
  std::shared_ptr<AccessibleWindow::Link> link_;
  ULONG cursor_;
};

}  // namespace

AccessibleWindow::AccessibleWindow(HWND hwnd, AccessibleSource& source)
    : link_(std::make_shared<Link>(Link{hwnd, &source})) {}

AccessibleWindow::~AccessibleWindow() {
  link_->source = nullptr;
  if (object_) {
    // Proxies in readers' processes let go of it; their calls fail from now on.
    CoDisconnectObject(object_, 0);
    object_->Release();
  }
  if (com_) CoUninitialize();
}

std::optional<LRESULT> AccessibleWindow::Answer(WPARAM wp, LPARAM lp) {
  // Sign extension of a 64-bit lParam would keep OBJID_CLIENT from matching.
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
  if (!object_) {
    // The object is marshalled to readers in other processes: it lives in this thread's
    // apartment, whose calls come through the message loop.
    com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    object_ = new (std::nothrow) Object(link_);
    if (!object_) return std::nullopt;
  }
  // A new reference each time: the reply is used once.
  return LresultFromObject(IID_IAccessible, wp, object_);
}

}  // namespace velmo
