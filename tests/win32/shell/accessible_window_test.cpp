// The box's real window as a screen reader reads it through Windows' accessibility, from the
// box's own process: Wine 8.0 hands no accessible object to another process.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "box/app/box.h"
#include "box/platform/win32/window_host.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"
#include "screenshot/platform/win32/capture_window.h"
#include "screenshot/platform/win32/launcher_window.h"

namespace velmo {
namespace {

struct Node {
  long id = 0;            // CHILDID_SELF for a native child's own object
  HWND window = nullptr;  // a native child's
  IAccessible* object = nullptr;
  std::u16string name;
  std::u16string value;
  long role = 0;
  long state = 0;
  RECT at{};
};

// A reader's events, in the order the system passed them on.
struct Heard {
  DWORD event;
  long object, child;
};
std::vector<Heard> heard;
HWND heard_from = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd == heard_from) heard.push_back({event, object, child});
}

bool HeardOf(DWORD event, long child) {
  for (const Heard& h : heard) {
    if (h.event == event && h.object == OBJID_CLIENT && h.child == child) return true;
  }
  return false;
}

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::u16string TextOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                      IAccessible* acc, long id) {
  BSTR text = nullptr;
  std::u16string out;
  if ((acc->*get)(Child(id), &text) == S_OK && text) {
    out.assign(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
  }
  SysFreeString(text);
  return out;
}

std::u16string NameOf(IAccessible* acc, long id) {
  return TextOf(&IAccessible::get_accName, acc, id);
}

long IntOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* acc,
           long id) {
  VARIANT v;
  VariantInit(&v);
  (acc->*get)(Child(id), &v);
  return v.vt == VT_I4 ? v.lVal : -1;
}

// Client functions of oleacc.dll, which the box loads only when a reader asks: linking its import
// library would also take its IID_IAccessible, a stub in place of the id.
template <class F>
F Oleacc(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"oleacc.dll"), name)));
}

// Through AccessibleChildren, as readers walk a tree.
std::vector<Node> ChildrenOf(IAccessible* acc) {
  static const auto children =
      Oleacc<HRESULT(WINAPI*)(IAccessible*, LONG, LONG, VARIANT*, LONG*)>("AccessibleChildren");
  long count = 0;
  EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
  std::vector<VARIANT> found(static_cast<std::size_t>(count));
  LONG obtained = 0;
  EXPECT_TRUE(SUCCEEDED(children(acc, 0, count, found.data(), &obtained)));
  EXPECT_EQ(obtained, count);
  std::vector<Node> nodes;
  for (LONG i = 0; i < obtained; ++i) {
    Node n;
    IAccessible* from = acc;
    if (found[i].vt == VT_DISPATCH) {
      // The child window's object, as Windows gives it; Wine 8.0 answers E_NOTIMPL to all it is
      // asked, so it is read through the client object of the window it names.
      static const auto window_of =
          Oleacc<HRESULT(WINAPI*)(IAccessible*, HWND*)>("WindowFromAccessibleObject");
      IAccessible* window_object = nullptr;
      found[i].pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&window_object));
      found[i].pdispVal->Release();
      EXPECT_EQ(window_of(window_object, &n.window), S_OK);
      window_object->Release();
      EXPECT_EQ(AccessibleObjectFromWindow(n.window, static_cast<DWORD>(OBJID_CLIENT),
                                           IID_IAccessible, reinterpret_cast<void**>(&n.object)),
                S_OK);
      from = n.object;
    } else {
      n.id = found[i].lVal;
    }
    n.name = NameOf(from, n.id);
    n.value = TextOf(&IAccessible::get_accValue, from, n.id);
    n.role = IntOf(&IAccessible::get_accRole, from, n.id);
    n.state = IntOf(&IAccessible::get_accState, from, n.id);
    long left = 0, top = 0, width = 0, height = 0;
    from->accLocation(&left, &top, &width, &height, Child(n.id));
    n.at = {left, top, left + width, top + height};
    nodes.push_back(n);
  }
  return nodes;
}

void Release(std::vector<Node>& nodes) {
  for (Node& n : nodes) {
    if (n.object) n.object->Release();
  }
  nodes.clear();
}

void Print(const char* title, IAccessible* acc, const std::vector<Node>& nodes) {
  std::printf("-- %s: \"%s\"\n", title, Utf16ToUtf8(NameOf(acc, CHILDID_SELF)).c_str());
  for (const Node& n : nodes) {
    static const auto role_text = Oleacc<UINT(WINAPI*)(DWORD, LPWSTR, UINT)>("GetRoleTextW");
    wchar_t role[64] = L"";
    role_text(static_cast<DWORD>(n.role), role, 64);
    std::string state;
    const std::pair<long, const char*> bits[] = {
        {STATE_SYSTEM_UNAVAILABLE, " unavailable"}, {STATE_SYSTEM_INVISIBLE, " invisible"},
        {STATE_SYSTEM_FOCUSED, " focused"},         {STATE_SYSTEM_CHECKED, " checked"},
        {STATE_SYSTEM_SELECTED, " selected"},       {STATE_SYSTEM_ALERT_MEDIUM, " alert"}};
    for (const auto& [bit, text] : bits) {
      if (n.state & bit) state += text;
    }
    auto line = [](std::u16string s) {
      for (char16_t& ch : s) {
        if (ch == u'\n' || ch == u'\r') ch = u' ';
      }
      return Utf16ToUtf8(s);
    };
    std::printf("  %-4s \"%s\" %s(%ld)%s%s at (%ld,%ld %ldx%ld)%s\n",
                n.object ? "win" : std::to_string(n.id).c_str(), line(n.name).c_str(),
                line(reinterpret_cast<const char16_t*>(role)).c_str(), n.role,
                n.value.empty() ? "" : " value=", line(n.value).c_str(), n.at.left, n.at.top,
                n.at.right - n.at.left, n.at.bottom - n.at.top, state.c_str());
  }
  std::fflush(stdout);
}

const Node* Find(const std::vector<Node>& nodes, std::u16string_view name, long role) {
  for (const Node& n : nodes) {
    if (n.name == name && n.role == role) return &n;
  }
  return nullptr;
}

// Runs the window's messages until `done` holds, for `seconds` at most.
bool PumpUntil(const std::function<bool()>& done, int seconds = 2) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

long StateOf(IAccessible* acc, long id) { return IntOf(&IAccessible::get_accState, acc, id); }

TEST(AccessibleWindow, AReaderReadsTilesDrawerSwitchAndMessageWorksThemAndHearsThem) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FakeServiceSet fakes;
  BoxState state;
  state.program_folder = u"C:\\Box";
  state.version = u"1.0.0.1";
  Box box(state, fakes.services);
  box.Startup();
  // The pointer rests on the box: it stays where it stands, undocked.
  Form& form = box.window().form();
  fakes.screen.cursor = {(form.left + form.width / 2) / 15, (form.top + form.height / 2) / 15};
  WindowHost host(box.window(), nullptr);
  ASSERT_TRUE(host.Create());
  ASSERT_TRUE(PumpUntil([&] { return !form.timer("TimerAfterShown").enabled; }));
  EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr) << "nothing loaded before a reader asks";

  heard_from = host.hwnd();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Hear, GetCurrentProcessId(),
                                       0, WINEVENT_OUTOFCONTEXT);
  IAccessible* acc = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(host.hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&acc)),
            S_OK);
  EXPECT_EQ(IntOf(&IAccessible::get_accRole, acc, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  std::vector<Node> nodes = ChildrenOf(acc);
  Print("home", acc, nodes);
  EXPECT_EQ(NameOf(acc, CHILDID_SELF), u"Velmo盒子");
  RECT client{};
  GetClientRect(host.hwnd(), &client);
  MapWindowPoints(host.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (std::u16string_view tile : {u"音乐", u"便笺", u"快速启动", u"小工具"}) {
    const Node* n = Find(nodes, tile, ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_NE(n, nullptr) << Utf16ToUtf8(tile);
    EXPECT_EQ(n->state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), 0);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &n->at, &client) && EqualRect(&inside, &n->at))
        << "in screen pixels, inside the window";
  }
  for (std::u16string_view button :
       {u"计算机", u"回收站(右键清空)", u"迷你窗口", u"帮助", u"选项", u"关机", u"重启", u"睡眠"}) {
    const Node* n = Find(nodes, button, ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_NE(n, nullptr) << Utf16ToUtf8(button);
    EXPECT_NE(n->state & STATE_SYSTEM_INVISIBLE, 0) << "the drawer is closed";
  }
  const Node* command_box = nullptr;
  for (const Node& n : nodes) {
    if (n.window == FindWindowExW(host.hwnd(), nullptr, L"EDIT", nullptr)) command_box = &n;
  }
  ASSERT_NE(command_box, nullptr) << "the command box keeps the system's own object";
  EXPECT_EQ(command_box->role, ROLE_SYSTEM_TEXT);

  const Node* expand = Find(nodes, u"展开工具条", ROLE_SYSTEM_PUSHBUTTON);
  ASSERT_NE(expand, nullptr);
  const long options = Find(nodes, u"选项", ROLE_SYSTEM_PUSHBUTTON)->id;
  EXPECT_EQ(acc->accDoDefaultAction(Child(expand->id)), S_OK);
  EXPECT_TRUE(PumpUntil([&] { return (StateOf(acc, options) & STATE_SYSTEM_INVISIBLE) == 0; }))
      << "the drawer slid out";
  EXPECT_EQ(acc->accDoDefaultAction(Child(options)), S_OK);
  EXPECT_TRUE(PumpUntil([&] { return NameOf(acc, CHILDID_SELF) == u"选项"; }));
  EXPECT_TRUE(PumpUntil([&] { return HeardOf(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF); }))
      << "a reader hears of the page";

  Release(nodes);
  nodes = ChildrenOf(acc);
  Print("options", acc, nodes);
  const Node* greeting = Find(nodes, u"启动问候音", ROLE_SYSTEM_CHECKBUTTON);
  ASSERT_NE(greeting, nullptr);
  const long switch_id = greeting->id;
  const bool was_on = (greeting->state & STATE_SYSTEM_CHECKED) != 0;
  EXPECT_EQ(was_on, state.settings.Get(Setting::kGreetingAfterRunning));
  EXPECT_EQ(acc->accDoDefaultAction(Child(switch_id)), S_OK);
  EXPECT_TRUE(PumpUntil([&] {
    return ((StateOf(acc, switch_id) & STATE_SYSTEM_CHECKED) != 0) != was_on;
  })) << "the knob slid across";
  EXPECT_NE(state.settings.Get(Setting::kGreetingAfterRunning), was_on);
  EXPECT_TRUE(PumpUntil([&] { return HeardOf(EVENT_OBJECT_STATECHANGE, switch_id); }));

  EXPECT_EQ(acc->accDoDefaultAction(Child(Find(nodes, u"退出", ROLE_SYSTEM_PUSHBUTTON)->id)), S_OK);
  EXPECT_TRUE(PumpUntil([&] { return NameOf(acc, CHILDID_SELF) == u"Velmo盒子"; }));
  box.window().ShowMessage(u"列表文件 DATA\\Music.sd 无法保存：磁盘已满。", u"无法保存");
  host.Sync();
  long alert = 0;
  EXPECT_TRUE(PumpUntil([&] {
    Release(nodes);
    nodes = ChildrenOf(acc);
    for (const Node& n : nodes) {
      if (n.role == ROLE_SYSTEM_ALERT && !(n.state & STATE_SYSTEM_INVISIBLE)) alert = n.id;
    }
    return alert != 0;
  }));
  EXPECT_TRUE(PumpUntil([&] { return !form.timer("Timer16").enabled; })) << "the slide ends";
  Release(nodes);
  nodes = ChildrenOf(acc);
  Print("message", acc, nodes);
  EXPECT_NE(StateOf(acc, Find(nodes, u"音乐", ROLE_SYSTEM_PUSHBUTTON)->id) & STATE_SYSTEM_INVISIBLE,
            0)
      << "under the message";
  EXPECT_EQ(NameOf(acc, alert), u"无法保存\n列表文件 DATA\\Music.sd 无法保存：磁盘已满。");
  EXPECT_NE(StateOf(acc, alert) & STATE_SYSTEM_ALERT_MEDIUM, 0);
  EXPECT_TRUE(PumpUntil([&] { return HeardOf(EVENT_SYSTEM_ALERT, alert); }));
  EXPECT_TRUE(HeardOf(EVENT_OBJECT_SHOW, alert));

  Release(nodes);
  UnhookWinEvent(hook);
  DestroyWindow(host.hwnd());
  long count = 0;
  EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED) << "the window is gone";
  acc->Release();
  CoUninitialize();
}

// 截屏's launcher answers with the same object: its title and buttons, and a capture on the
// default action of its capture button.
TEST(AccessibleWindow, TheCaptureLauncherNamesItsButtonsAndCapturesOnTheDefaultAction) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int captures = 0;
  shot::LauncherWindow launcher(
      GetModuleHandleW(nullptr), [&] { ++captures; }, [] {});
  launcher.Show(false);
  IAccessible* acc = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(launcher.hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&acc)),
            S_OK);
  std::vector<Node> nodes = ChildrenOf(acc);
  Print("launcher", acc, nodes);
  EXPECT_EQ(NameOf(acc, CHILDID_SELF), u"截屏工具");
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_NE(Find(nodes, u"截屏工具", ROLE_SYSTEM_STATICTEXT), nullptr);
  EXPECT_NE(Find(nodes, u"关闭", ROLE_SYSTEM_PUSHBUTTON), nullptr);
  EXPECT_NE(Find(nodes, u"最小化", ROLE_SYSTEM_PUSHBUTTON), nullptr);
  const Node* capture = Find(nodes, u"新建截屏", ROLE_SYSTEM_PUSHBUTTON);
  ASSERT_NE(capture, nullptr);
  EXPECT_EQ(acc->accDoDefaultAction(Child(capture->id)), S_OK);
  EXPECT_EQ(captures, 0) << "after the reader's call has returned";
  // Wine takes some 2 s to hide a window without a window manager.
  EXPECT_TRUE(PumpUntil([&] { return captures == 1; }, 6));
  EXPECT_FALSE(IsWindowVisible(launcher.hwnd())) << "hidden for the capture";
  acc->Release();
  CoUninitialize();
}

// And its capture screen: once a selection is drawn, the toolbar's icons, and the end of the
// capture on an icon's default action.
TEST(AccessibleWindow, TheCaptureToolbarNamesItsIconsAndEndsTheCaptureOnTheDefaultAction) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::vector<shot::CaptureEnd> ends;
  shot::CaptureWindow capture(GetModuleHandleW(nullptr), RECT{0, 0, 640, 480},
                              [&](shot::CaptureEnd end) { ends.push_back(end); });
  capture.Show(shot::FrozenScreen::CaptureVirtualScreen());
  const HWND hwnd = capture.hwnd();
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 200));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  ASSERT_TRUE(capture.model().toolbar_visible());
  IAccessible* acc = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&acc)),
            S_OK);
  std::vector<Node> nodes = ChildrenOf(acc);
  Print("capture", acc, nodes);
  for (std::u16string_view icon : {u"撤销", u"复制到剪贴板", u"保存", u"退出"}) {
    EXPECT_NE(Find(nodes, icon, ROLE_SYSTEM_PUSHBUTTON), nullptr) << Utf16ToUtf8(icon);
  }
  EXPECT_NE(Find(nodes, u"200x100", ROLE_SYSTEM_STATICTEXT), nullptr) << "the size label";
  const Node* copy = Find(nodes, u"复制到剪贴板", ROLE_SYSTEM_PUSHBUTTON);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(acc->accDoDefaultAction(Child(copy->id)), S_OK);
  EXPECT_TRUE(PumpUntil([&] { return !ends.empty(); }));
  EXPECT_EQ(ends, std::vector<shot::CaptureEnd>({shot::CaptureEnd::kCopy}));
  acc->Release();
  CoUninitialize();
}

}  // namespace
}  // namespace velmo
