// Not a test: scripts/demo runs this (disabled) case to show the result
// window on the demo account, whose indexes the demo has just built with
// the real mknmz. It searches, shows a mail, the quote copy dialog, the
// command line, searched words lit and a hit whose mail is gone, and saves a screenshot of the screen at each step into
// TVP_DEMO_SHOTS (BMP files the script converts). It prints what the host
// was asked to open.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/indexing/paths.h"
#include "core/settings/settings.h"
#include "plugin/files/win_fs.h"
#include "plugin/results/frm_copy_quote.h"
#include "plugin/results/frm_result.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "win/modal_steps.h"
#include "win/win_support.h"

using namespace tvp;
using namespace tvp::test;

namespace {

void SaveScreen(const std::string& path) {
  ProcessMessages();
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFOHEADER info = {sizeof info, w, h, 1, 24, BI_RGB};
  int stride = (w * 3 + 3) & ~3;
  std::string pixels(static_cast<size_t>(stride) * h, '\0');
  GetDIBits(mem, bitmap, 0, h, &pixels[0], reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info + pixels.size()), 0, 0,
                           sizeof file + sizeof info};
  if (FILE* f = fopen(path.c_str(), "wb")) {
    fwrite(&file, sizeof file, 1, f);
    fwrite(&info, sizeof info, 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
  }
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

// Lets the window paint for a moment (a demo, not a test: a fixed pause is fine).
void Settle() {
  for (int i = 0; i < 10; ++i) {
    ProcessMessages();
    Sleep(50);
  }
}

}  // namespace

TEST(DemoShots, DISABLED_ResultWindow) {
  const char* account = getenv("TVP_DEMO_ACCOUNT");
  const char* shots = getenv("TVP_DEMO_SHOTS");
  ASSERT_TRUE(account && shots);
  ASSERT_EQ(APCStartUp(0), -1);
  std::string dir = std::string(shots) + "\\";
  standin::SetAccount(account);
  standin::SetMailbox(account);
  HWND host = standin::CreateFolderWindow("AL-Mail32 - Tarvik for Namazu");
  SetWindowPos(host, nullptr, 40, 20, 900, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
  standin::ClearCalls();
  // The command-line button shows only when asked for.
  UpdateIniFile(DiskFileSystem(), std::string(account) + "tarvikp.ini",
                [](IniFile& ini) { ini.Write("Result", "ConfirmCommandLine", "1"); });

  TTVPSearchInfo request{3, {0, 2, 8}, "予算 or 会議"};
  ASSERT_TRUE(WhileModal([&] { OpenResultWindow(host, request); },
                         [&](Form&) {
                           Arm(nullptr, [&](Form& f) {
                             auto& w = dynamic_cast<TfrmResult&>(f);
                             SetWindowPos(w.Handle(), nullptr, 0, 0, 760, 560, SWP_NOMOVE | SWP_NOZORDER);
                             Settle();
                             SaveScreen(dir + "9-result-window.bmp");
                             w.edtResultKeyPress('n');
                             w.edtResultKeyPress('n');
                             w.edtResultKeyDown(VK_RETURN);
                             Settle();
                             SaveScreen(dir + "10-mail-view.bmp");
                             Arm(&w, [&](Form& q) {
                               Settle();
                               SaveScreen(dir + "11-quote-copy.bmp");
                               q.SetModalResult(mrCancel);
                             });
                             w.EditCopyQuoteExecute();
                             w.btnViewCommandLineClick();
                             Settle();
                             SaveScreen(dir + "12-command-line.bmp");
                             w.ShowMail(w.CurrentHit);
                             w.btnMailViewClick();  // opens the mail in the host
                             Settle();
                             // A Japanese and an ASCII word lit in a mail.
                             w.SetKeywordText("会議 or MinutesOnly");
                             w.btnSearchClick();
                             for (size_t i = 0; i < w.result.Hits.size(); ++i)
                               if (w.result.Hits[i].Path.find("user003.box") != std::string::npos) {
                                 w.ShowMail(static_cast<int>(i));  // a minutes mail: both words
                                 break;
                               }
                             Settle();
                             SaveScreen(dir + "13-words-lit.bmp");
                             // The second hit's mail moved away after indexing.
                             std::string mail = UrlToPath(w.result.Hits.at(1).Path), away = mail + ".away";
                             MoveFileA(mail.c_str(), away.c_str());
                             w.btnSearchClick();
                             Settle();
                             SaveScreen(dir + "14-vanished-mail.bmp");
                             MoveFileA(away.c_str(), mail.c_str());
                             w.btnCloseClick();
                           });
                         },
                         50, 120000));
  for (const standin::Call& call : standin::CallsOf("APAFolderOpenMail"))
    printf("the host was asked to open: %s\n", call.args.size() > 1 ? call.args[1].c_str() : "?");
  DestroyWindow(host);
}
