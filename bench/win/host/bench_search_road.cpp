// Timings of the result window under Wine. The program plays the host (it
// exports the host functions and is named Almail.exe), as the tests do.
//   Almail.exe road NAMAZU PERL MAILS   an account of MAILS mails, all holding one word, indexed by the real
//                                       mknmz: namazu alone vs the whole search of the result window
//   Almail.exe mail BYTES               ShowMail of a mail of BYTES bytes (JIS, converted; then UTF-8 in base64)
//   Almail.exe open                     opening the result window (created, shown, painted, closed)
// Each figure is the best of three runs, printed on standard error; ratios as "ratio: x.xx".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/indexing/mknmz.h"
#include "core/indexing/paths.h"
#include "core/results/highlight.h"
#include "core/search/search_exec.h"
#include "plugin/files/file_utils.h"
#include "plugin/files/win_fs.h"
#include "plugin/forms/form.h"
#include "plugin/console/run_command.h"
#include "plugin/results/frm_result.h"
#include "plugin/settings/settings_store.h"
#include "plugin/shell/exports.h"
#include "standin-host/standin.h"
#include "../bench_timing.h"

using namespace tvp;

namespace {

double Seconds(const std::function<void()>& f, const std::function<void()>& prepare = [] {}) {
  return bench::BestSeconds(f, 3, prepare);
}
using bench::WriteText;

// A fresh account directory with an inbox (the host's account and mailbox root).
std::string Account(const std::string& name) {
  std::string account = TempDirectory() + name + "\\";
  ForceDirectories(account + "inbox.box");
  ForceDirectories(account + "Namazu");
  WriteText(account + "account.ini", "[Property]\r\nTitle=bench\r\nOrder=I\r\n");
  standin::SetAccount(account);
  standin::SetMailbox(account);
  return account;
}

HWND Host() {
  HWND host = standin::CreateFolderWindow("bench");
  ShowWindow(host, SW_SHOW);
  return host;
}

int Road(const std::string& namazu, const std::string& perl, int mails) {
  std::string account = Account("tvpbench-road");
  std::string folder = account + "inbox.box\\";
  for (int i = 1; i <= mails; ++i) {
    std::string path = folder + std::to_string(i) + ".alm";
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    WriteText(path, "From: sender" + std::to_string(i % 37) + "@example.jp\r\nTo: you@example.jp\r\nSubject: report " +
                        std::to_string(i) + "\r\nDate: Mon, 7 Dec 2026 10:00:00 +0900\r\n\r\ncommonword word" +
                        std::to_string(i) + " status\r\n");
  }
  HWND host = Host();
  WriteText(account + "tarvikp.ini", "[Command]\r\nnamazuPath=" + namazu + "\r\nPerlPath=" + perl +
                                         "\r\nnamazuOption=\r\n[Search]\r\nListCount=All\r\n");
  TTVPSettings settings = EnsureAndLoadSettings(host);
  std::string index = account + "Namazu\\inbox";
  if (GetFileAttributesA((index + "\\NMZ.i").c_str()) == INVALID_FILE_ATTRIBUTES) {
    settings.mknmzPath = "C:\\namazu\\bin\\mknmz";
    settings.mknmzOption = "--mailnews --allow=\".*\\.alm\"";
    ForceDirectories(index);
    MknmzCommand c = MknmzCommandFor(settings, ShortPathName(index), folder, account, 0, false);
    RunCommand(c.commandLine, c.workDir, rmHidden, nullptr);
  }

  TfrmResult window(host);
  window.request = TTVPSearchInfo{1, {0}, ""};
  window.Show();
  ProcessMessages();
  window.SetKeywordText("commonword");
  size_t hits = 0;
  double road = Seconds([&] {
    window.btnSearchClick();
    hits = window.result.Hits.size();
  });
  // namazu alone: the same command line in the same directory.
  std::string root = window.WorkDir, line = window.CommandLine;
  double alone = Seconds([&] { RunCommand(line, root, rmHidden, nullptr); });
  window.Close();
  DestroyWindow(host);
  fprintf(stderr, "search of %d mails, %zu hits: namazu alone %.2f s, the whole search %.2f s\n", mails, hits, alone,
          road);
  fprintf(stderr, "plug-in's own time %.2f s\nratio: %.2f (plug-in's own time / namazu's)\n", road - alone,
          (road - alone) / alone);
  if (hits == static_cast<size_t>(mails)) return 0;
  fprintf(stderr, "expected %d hits; the command line was: %s\n", mails, line.c_str());
  return 1;
}

// Base64 in lines of 76 characters, as mail carries it.
std::string Base64Lines(const std::string& bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += digits[(v >> 18) & 63];
    out += digits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? digits[v & 63] : '=';
    if ((i / 3 + 1) % 19 == 0) out += "\r\n";
  }
  return out + "\r\n";
}

int Mail(int bytes) {
  std::string account = Account("tvpbench-mail");
  std::string path = account + "inbox.box\\1.alm";
  std::string mail = "From: a@example.jp\r\nSubject: large\r\n\r\n";
  const std::string line = "\x1B$B$3$l$OBg$-$J%a!<%k$G$9!#\x1B(B line of a large mail\r\n";
  while (mail.size() < static_cast<size_t>(bytes)) mail += line;
  WriteText(path, mail);
  HWND host = Host();
  TfrmResult window(host);
  window.Show();
  window.result.Hits.resize(1);
  window.result.Hits[0].Path = PathToUrl(path);
  window.result.Hits[0].TitleText = "1. large";
  auto show = [&] {
    window.ShowMail(0);
    UpdateWindow(window.edtMail.Handle());
  };
  double plain = Seconds(show);
  // Five words, each in every line: "大きな", "メール", "LINE", "large" and a full-width "ｍａｉｌ".
  window.result.Words = SearchWords("大きな メール LINE and large ｍａｉｌ");
  double lit = Seconds(show);
  size_t shown = window.edtMail.Text().size(), words = window.Highlights.size();
  // The same text as today's clients send it: UTF-8 in base64.
  std::string utf8;
  const std::string utf8Line = reinterpret_cast<const char*>(u8"これは大きなメールです。 line of a large mail\r\n");
  while (utf8.size() < static_cast<size_t>(bytes)) utf8 += utf8Line;
  WriteText(path, "From: a@example.jp\r\nSubject: large\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                  "Content-Transfer-Encoding: base64\r\n\r\n" + Base64Lines(utf8));
  window.result.Words.clear();
  double decoded = Seconds(show);
  size_t decodedShown = window.edtMail.Text().size();
  window.Close();
  DestroyWindow(host);
  fprintf(stderr,
          "ShowMail of a %d-byte mail (%zu bytes shown): %.3f s\n"
          "with five searched words lit (%zu places): %.3f s, highlighting adds %.1f ms\n"
          "the same text in UTF-8 and base64 (%zu bytes shown): %.3f s\n"
          "ratio: %.2f (base64 UTF-8 / JIS)\n",
          bytes, shown, plain, words, lit, (lit - plain) * 1000, decodedShown, decoded, decoded / plain);
  return 0;
}

int Open() {
  Account("tvpbench-open");
  HWND host = Host();
  EnsureAndLoadSettings(host);
  double open = Seconds([&] {
    TfrmResult window(host);
    window.Show();
    UpdateWindow(window.Handle());
    window.Close();
  });
  DestroyWindow(host);
  fprintf(stderr, "opening the result window: %.3f s\n", open);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (APCStartUp(0) != -1) return 2;
  std::string what = argc > 1 ? argv[1] : "";
  if (what == "road" && argc > 4) return Road(argv[2], argv[3], atoi(argv[4]));
  if (what == "mail" && argc > 2) return Mail(atoi(argv[2]));
  if (what == "open") return Open();
  fprintf(stderr, "usage: Almail.exe road NAMAZU PERL MAILS | mail BYTES | open\n");
  return 2;
}
