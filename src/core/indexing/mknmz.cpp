#include "core/indexing/mknmz.h"

#include <algorithm>
#include <cstdio>

#include "core/common/sjis.h"
#include "core/indexing/paths.h"

namespace tvp {

const char kIndexingStatus[] = "インデックス作成中... しばらくお待ちください。";

std::string LeftOverLockQuestion(const std::string& folderTitle) {
  return "「" + folderTitle +
         "」フォルダのインデックスに、作成中を示すファイル (NMZ.lock) が残っています。\n"
         "前のインデックス作成が途中で終わったようです。このままでは作成も検索もできません。\n\n"
         "ファイルを削除してインデックスを作成しますか?\n"
         "(ほかでインデックスを作成しているときは「いいえ」を選んでください)";
}

namespace {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The folder directory's last name, without backslashes.
std::string LastDirName(const std::string& folderDir) {
  std::string dir = ExcludeTrailingBackslash(folderDir);
  return dir.substr(ParentDir(folderDir).size());
}

// A path as a literal in mknmz's replacement code, which mknmz runs as Perl:
// every character that the pattern or its interpolation would take as syntax
// gets a backslash, so that "(x86)", "#", "@", "$" or "[" in an account path
// match themselves (unescaped, "#" or "[" make mknmz refuse the code, and the
// others leave every document path unreplaced). The test is per byte, as
// Perl's is: the trail byte "\" of 「表」 or 「ソ」 is escaped too. A dot is
// left as it is: it matches itself.
std::string PerlPatternLiteral(const std::string& s) {
  static const std::string kSyntax = "\\^$|?*+()[]{}@#";
  std::string out;
  for (char c : s) {
    if (kSyntax.find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

// The names of a path's directories, drive first.
std::vector<std::string> PathNames(const std::string& path) {
  std::vector<std::string> names = SplitLines(ReplaceAll(path, "\\", "\n"));
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  return names;
}

}  // namespace

std::string MknmzOutputDir(const std::string& shortDir, const std::string& longDir, const std::string& runDir) {
  if (shortDir.find(' ') == std::string::npos) return shortDir;
  std::vector<std::string> to = PathNames(longDir), from = PathNames(runDir);
  size_t common = 0;
  while (common < to.size() && common < from.size() && EqualsNoCase(to[common], from[common])) ++common;
  if (common == 0 || common == to.size()) return shortDir;  // another drive, or not below the common part
  std::string relative;
  for (size_t i = common; i < from.size(); ++i) relative += "../";
  for (size_t i = common; i < to.size(); ++i) relative += to[i] + (i + 1 < to.size() ? "/" : "");
  return relative.find(' ') == std::string::npos ? relative : shortDir;
}

MknmzCommand MknmzCommandFor(const TTVPSettings& s, const std::string& outputDir, const std::string& folderDir,
                             const std::string& accountDir, char mappedDrive, bool captured) {
  std::string head = Quoted(s.PerlPath) + " " + Quoted(s.mknmzPath) + " " + s.mknmzOption;
  if (!IsNamazu13(s.NamazuVersion)) {
    return {head + " --output-dir=" + Quoted(outputDir) + " --replace=\"s#" +
                PerlPatternLiteral(ReplaceAll(accountDir, "\\", "/")) + "#account/#i\" .",
            folderDir};
  }
  std::string relative = "account/" + ReplaceAll(RelativeToAccount(accountDir, folderDir), "\\", "/");
  if (!mappedDrive) {
    return {head + " -O " + Quoted(outputDir) + " " + Quoted(relative) + "  " +
                Quoted(ExcludeTrailingBackslash(folderDir)),
            folderDir};
  }
  std::string drive(1, mappedDrive);
  return {head + " -t \".*\\.alm\" -O " + Quoted(outputDir) + " " + Quoted(relative) + " " +
              Quoted(drive + ":\\" + LastDirName(folderDir)),
          captured ? drive + ":\\" : folderDir};
}

bool NeedsDriveMapping(const std::string& namazuVersion, bool ntFamily, const std::string& folderDir) {
  return IsNamazu13(namazuVersion) && !ntFamily && folderDir.size() > 60;
}

std::string SubstCommand(char drive, const std::string& folderDir) {
  return "COMMAND.COM /C SUBST " + std::string(1, drive) + ": " + ExcludeTrailingBackslash(ParentDir(folderDir));
}

std::string SubstRemoveCommand(char drive) { return "COMMAND.COM /C SUBST " + std::string(1, drive) + ":" + " /D"; }

std::vector<std::string> StoredTargets(const std::vector<TFolderInfo>& folders, const Ticks& ticks) {
  std::vector<std::string> out;
  for (size_t i = 0; i < folders.size() && i < ticks.size(); ++i)
    if (ticks[i] && folders[i].Kind == 1) out.push_back(StoredFolderEntry(folders, static_cast<int>(i)));
  return out;
}

RestoredTargets RestoreTargets(const std::vector<TFolderInfo>& folders, const std::vector<std::string>& stored) {
  RestoredTargets r;
  r.ticks.assign(folders.size(), false);
  for (const std::string& entry : stored) {
    size_t colon = Find(entry, ":");
    if (colon == std::string::npos || colon == 0) continue;
    r.saveTarget = true;
    int position = StoredFolderPosition(folders, entry);
    if (position >= 0) r.ticks[position] = true;
  }
  return r;
}

void TickGroup(const std::vector<TFolderInfo>& folders, Ticks& ticks, size_t group) {
  if (group >= folders.size() || folders[group].Kind != 2) return;
  for (size_t i = group + 1; i < folders.size() && folders[i].Level > folders[group].Level; ++i)
    ticks[i] = ticks[group];
}

std::vector<size_t> FoldersToIndex(const std::vector<TFolderInfo>& folders, const Ticks& ticks) {
  std::vector<size_t> out;
  for (size_t i = 0; i < folders.size() && i < ticks.size(); ++i)
    if (ticks[i] && folders[i].Kind == 1) out.push_back(i);
  return out;
}

std::string FolderListText(const TFolderInfo& folder) {
  std::string indent;
  for (int i = 0; i < folder.Level; ++i) indent += "　";
  return indent + folder.Title;
}

std::string IdleStatus(const TTVPSettings& s) {
  return "前回更新日時: " + s.LastDate + "   受信メール数: " + s.NowCountMail + "通";
}

std::string ProgressStatus(size_t n, size_t total) {
  return std::string(kIndexingStatus) + " (" + std::to_string(n) + "/" + std::to_string(total) + ")";
}

std::string OutputWindowCaption(const std::string& title, size_t n, size_t total) {
  return "「" + title + "」フォルダのインデックス作成中 (" + std::to_string(n) + "/" + std::to_string(total) + ") ... ";
}

std::string FormatUpdateDate(int year, int month, int day, int hour, int minute) {
  char buf[32];
  snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d", year, month, day, hour, minute);
  return buf;
}

}  // namespace tvp
