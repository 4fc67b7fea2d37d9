// Building the folder list of an account with 1,000 folders: 948 mail
// folders at the top, 10 folders of folders holding 4 mail folders each,
// the inbox and the outbox.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/mailbox/folder_tree.h"
#include "core/memory_fs.h"

using namespace tvp;

namespace {

const std::string kAcct = "C:\\Mail\\Acct\\";

std::string Box(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "user%03d.box", n);
  return name;
}

std::string Number(int n) { return Box(n).substr(4, 3); }

test::MemoryFileSystem MakeAccount(bool ordered) {
  test::MemoryFileSystem fs;
  std::string order = "IO";
  fs.AddDir(kAcct + "inbox.box");
  fs.AddDir(kAcct + "outbox.box");
  for (int n = 958; n >= 1; --n) {  // the file system's order is not the display order
    const std::string dir = kAcct + Box(n) + "\\";
    order += Number(n);
    fs.AddDir(dir);
    if (n > 948) {
      fs.AddFile(dir + "entry.ini", "[Property]\r\nTitle=ソフト開発" + std::to_string(n) +
                                        "\r\nType=Subfolder\r\nOrder=001002003004\r\n");
      for (int k = 1; k <= 4; ++k) {
        fs.AddDir(dir + Box(k));
        fs.AddFile(dir + Box(k) + "\\entry.ini", "[Property]\r\nTitle=表計算" + std::to_string(k) + "\r\nType=\r\n");
      }
    } else {
      fs.AddFile(dir + "entry.ini", "[Property]\r\nTitle=フォルダ" + std::to_string(n) + "\r\nType=\r\n");
    }
  }
  fs.AddFile(kAcct + "account.ini",
             "[Property]\r\nTitle=\"bench\"\r\nOrder=" + (ordered ? order : std::string()) + "\r\n");
  return fs;
}

void BM_LoadFolderTree(benchmark::State& state) {
  const test::MemoryFileSystem fs = MakeAccount(state.range(0) != 0);
  size_t count = 0;
  for (auto _ : state) {
    auto folders = LoadFolderTree(fs, kAcct, "D:\\idx");
    count = folders.size();
    benchmark::DoNotOptimize(folders.data());
  }
  if (count != 1000) state.SkipWithError("expected 1,000 folders");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}
BENCHMARK(BM_LoadFolderTree)->ArgName("ordered")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
