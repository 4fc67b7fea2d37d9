#include "standin-host/standin.h"

#include "standin-host/standin_state.h"

namespace standin {

HostState& State() {
  static HostState state;
  return state;
}

void Record(const std::string& function, std::vector<std::string> args) {
  State().calls.push_back({function, std::move(args)});
}

UINT RegisterCommand(MenuCallback callback) {
  UINT id = 40001 + static_cast<UINT>(State().commands.size());
  State().commands[id] = callback;
  return id;
}

void SetAccount(const std::string& dir) { State().account = dir; }
void SetMailbox(const std::string& dir) { State().mailbox = dir; }
std::vector<Call> Calls() { return State().calls; }
void ClearCalls() { State().calls.clear(); }

std::vector<Call> CallsOf(const std::string& function) {
  std::vector<Call> out;
  for (const Call& c : State().calls)
    if (c.function == function) out.push_back(c);
  return out;
}

std::vector<UINT> RegisteredCommands() {
  std::vector<UINT> ids;
  for (const auto& c : State().commands) ids.push_back(c.first);
  return ids;
}

bool DispatchCommand(HWND window, UINT id) {
  auto it = State().commands.find(id);
  if (it == State().commands.end()) return false;
  it->second(window, 0);
  return true;
}

namespace {

LRESULT CALLBACK FolderWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == 0 && DispatchCommand(hwnd, LOWORD(wp))) return 0;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HMENU Submenu(const char* const* items) {
  HMENU m = CreatePopupMenu();
  for (UINT id = 100; *items; ++items, ++id) AppendMenuA(m, MF_STRING, id, *items);
  return m;
}

}  // namespace

HWND CreateFolderWindow(const std::string& caption) {
  static bool registered = false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FolderWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "StandinFolderWindow";
    RegisterClassA(&wc);
    registered = true;
  }
  static const char* const kFile[] = {"受信(&R)", "送信(&S)", "終了(&X)", nullptr};
  static const char* const kEdit[] = {"コピー(&C)", "すべて選択(&A)", nullptr};
  static const char* const kView[] = {"ツールバー(&T)", "ステータスバー(&S)", nullptr};
  static const char* const kTool[] = {"アドレス帳(&A)...", "オプション(&O)...", nullptr};
  static const char* const kHelp[] = {"バージョン情報(&A)...", nullptr};
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu(kFile)), "ファイル(&F)");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu(kEdit)), "編集(&E)");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu(kView)), "表示(&V)");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu(kTool)), "ツール(&T)");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu(kHelp)), "ヘルプ(&H)");
  return CreateWindowExA(0, "StandinFolderWindow", caption.c_str(), WS_OVERLAPPEDWINDOW, 80, 60, 640, 420, nullptr, bar,
                         instance, nullptr);
}

std::string JisToSjis(const std::string& jis) {
  enum Mode { kAscii, kKanji, kKana } mode = kAscii;
  std::string out;
  for (size_t i = 0; i < jis.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(jis[i]);
    if (c == 0x1B && i + 2 < jis.size()) {
      std::string seq = jis.substr(i + 1, 2);
      if (seq == "$B" || seq == "$@") { mode = kKanji; i += 2; continue; }
      if (seq == "(B" || seq == "(J") { mode = kAscii; i += 2; continue; }
      if (seq == "(I") { mode = kKana; i += 2; continue; }
    }
    if (c == '\r' || c == '\n') mode = kAscii;  // a line never continues a shift state
    if (mode == kKanji && c >= 0x21 && c <= 0x7E && i + 1 < jis.size()) {
      unsigned char c2 = static_cast<unsigned char>(jis[++i]);
      unsigned char s1 = static_cast<unsigned char>(((c + 1) >> 1) + (c <= 0x5E ? 0x70 : 0xB0));
      unsigned char s2 = static_cast<unsigned char>(c2 + ((c & 1) ? (c2 >= 0x60 ? 0x20 : 0x1F) : 0x7E));
      out += static_cast<char>(s1);
      out += static_cast<char>(s2);
    } else if (mode == kKana && c >= 0x21 && c <= 0x5F) {
      out += static_cast<char>(c + 0x80);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool Plugin::Load(const std::string& path) {
  module_ = LoadLibraryA(path.c_str());
  return module_ != nullptr;
}

Plugin::~Plugin() {
  if (module_) FreeLibrary(module_);
}

bool Plugin::StartUp() {
  auto startUp = Get<BOOL(__stdcall*)(int)>("APCStartUp");
  return startUp && startUp(0) == -1;
}

void Plugin::FolderOpened(HWND window) {
  Get<void(__stdcall*)(HWND)>("APCFolderCreate")(window);
  Get<void(__stdcall*)(HWND, HMENU, int)>("APCFolderInitMenu")(window, GetMenu(window), 101);
  DrawMenuBar(window);
}

void Plugin::FolderClosing(HWND window) { Get<void(__stdcall*)(HWND)>("APCFolderClose")(window); }

}  // namespace standin
