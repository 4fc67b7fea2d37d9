// The settings record: the image of "tarvikp.ini" in memory, and its
// mapping to and from the ini file.
#pragma once

#include <string>
#include <vector>

#include "core/common/filesys.h"
#include "core/settings/ini.h"

namespace tvp {

extern const char kSettingsFileName[];  // "tarvikp.ini"
// The most entries a numbered list holds; a larger count in the file is read as this.
extern const int kMaxListEntries;

// Every field is the key's value as stored; the lists hold exactly as many
// entries as their count fields say.
struct TTVPSettings {
  // [General]
  std::string IndexingMenuCaption, SearchMenuCaption;
  // [Mknmz]
  std::string When, Ask, ShowWindow, InDosPromptWindow, Minimize, CloseOnFinish, IntervalCountMail,
      NowCountMail, UsePreviousTarget, MknmzTargetFolderCount, LastDate, IndexDir, UseTempDirectory;
  // [Search]
  std::string SearchTargetFolderCount, FormulaHistoryCount, Sort, SortDirection, ShowContents, ListCount;
  // [Result]
  std::string SwitchIME, SearchOnChangeSettings, RenameToFolderName, CloseOnMailView, ConfirmCommandLine,
      FontNameResult, FontSizeResult, FontBoldResult, FontNameMail, FontSizeMail, FontBoldMail, Color,
      HighlightWords,
      SaveWindowPos, SaveWindowSize, WindowLeft, WindowTop, WindowWidth, WindowHeight;
  // [Command]
  std::string NamazuVersion, namazuPath, mknmzPath, PerlPath, namazuOption, mknmzOption, DateOption,
      Createnamazurc;
  // Numbered lists.
  std::vector<std::string> SearchFolders;  // [Search] Folder1..n
  std::vector<std::string> History;        // [Search] History1..n
  std::vector<std::string> MknmzFolders;   // [Mknmz] Folder1..n
};

// [Command] NamazuVersion: exactly "1.3" selects the Namazu 1.3 forms of
// command lines, configuration file and result text; anything else Namazu 2.
bool IsNamazu13(const std::string& namazuVersion);

// The [Command] paths and options a Namazu version starts from: what a new
// settings file holds (Namazu 2) and what the settings dialog's defaults
// buttons put back, for the version the file names.
struct CommandDefaults {
  std::string PerlPath, mknmzPath, namazuPath, mknmzOption, namazuOption, DateOption;
};
CommandDefaults DefaultCommands(const std::string& namazuVersion);

// [Command] DateOption's default, oldest first then newest first, for
// Namazu 2 and for 1.3 (the settings dialog's defaults).
extern const char kDefaultDateOption[];    // "--early,--late"
extern const char kDefaultDateOption13[];  // "-e,-l"

// A stored DateOption as it is used: the earlier defaults "--late,--early"
// and "-l,-e" named the newest-first option first, so that 古い順 listed the
// newest mail first; nobody chose them, and they read as today's defaults.
// Any other value is kept.
std::string CurrentDateOption(const std::string& stored);

// The mapping itself, on an ini file held in memory.
void WriteDefaultSettings(IniFile& ini);
void LoadSettings(const IniFile& ini, TTVPSettings& s);
void SaveSettings(IniFile& ini, const TTVPSettings& s);

// The operations on the file "tarvikp.ini" in an account directory. A write
// replaces the file in one step and happens only when something changed;
// it throws FileError when the disk refuses. A file that exists but cannot
// be read throws FileReadError, from loading and before any write: it is
// never taken for an empty one.
std::string SettingsPath(const std::string& accountDir);
void WriteDefaultSettings(FileSystem& fs, const std::string& path);
void EnsureSettings(FileSystem& fs, const std::string& path, TTVPSettings& s);
void LoadSettings(const FileSystem& fs, const std::string& path, TTVPSettings& s);
void SaveSettings(FileSystem& fs, const std::string& path, const TTVPSettings& s);
void SetMailCount(FileSystem& fs, const std::string& path, int count);
// Raises [Mknmz] NowCountMail by one (0 if absent or not a number).
void IncrementMailCount(FileSystem& fs, const std::string& path);

// Reads, changes and writes back the whole file; writes only if the text changed.
// The whole text of an ini file; "" when missing; throws FileReadError.
std::string ReadIniText(const FileSystem& fs, const std::string& path);

template <typename Change>
void UpdateIniFile(FileSystem& fs, const std::string& path, Change change) {
  std::string before = ReadIniText(fs, path);
  IniFile ini(before);
  change(ini);
  std::string after = ini.Text();
  if (after != before || !fs.FileExists(path)) fs.WriteFile(path, after);
}

// Throws FileReadError (see above).
IniFile ReadIniFile(const FileSystem& fs, const std::string& path);

}  // namespace tvp
