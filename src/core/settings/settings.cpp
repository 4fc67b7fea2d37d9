#include "core/settings/settings.h"

#include <algorithm>
#include <climits>

#include "core/common/sjis.h"

namespace tvp {

const char kSettingsFileName[] = "tarvikp.ini";
const int kMaxListEntries = 100000;
const char kDefaultDateOption[] = "--early,--late";
const char kDefaultDateOption13[] = "-e,-l";

namespace {

const char kGeneral[] = "General";
const char kMknmz[] = "Mknmz";
const char kSearch[] = "Search";
const char kResult[] = "Result";
const char kCommand[] = "Command";

// One scalar key: where it lives, its field, its value in the default file
// (nullptr: not written there) and its value when absent.
struct KeyDef {
  const char* section;
  const char* key;
  std::string TTVPSettings::*field;
  const char* defaultFile;
  const char* ifAbsent;
};

using S = TTVPSettings;

// In the order the default file writes them.
const KeyDef kGeneralKeys[] = {
    {kGeneral, "IndexingMenuCaption", &S::IndexingMenuCaption, "Namazuインデックス更新(&K)...", "Namazuインデックス更新(&K)..."},
    {kGeneral, "SearchMenuCaption", &S::SearchMenuCaption, "Namazu検索(&F)...", "Namazu検索(&F)..."},
};
const KeyDef kMknmzKeys[] = {
    {kMknmz, "When", &S::When, "UserOperation", "UserOperation"},
    {kMknmz, "Ask", &S::Ask, "1", "1"},
    {kMknmz, "ShowWindow", &S::ShowWindow, "1", "1"},
    {kMknmz, "InDosPromptWindow", &S::InDosPromptWindow, "0", "0"},
    {kMknmz, "Minimize", &S::Minimize, "0", "0"},
    {kMknmz, "CloseOnFinish", &S::CloseOnFinish, "0", "0"},
    {kMknmz, "IntervalCountMail", &S::IntervalCountMail, "50", "50"},
    {kMknmz, "NowCountMail", &S::NowCountMail, "0", "0"},
    {kMknmz, "UsePreviousTarget", &S::UsePreviousTarget, "1", "0"},
    {kMknmz, "TargetFolderCount", &S::MknmzTargetFolderCount, "0", "0"},
    {kMknmz, "UseTempDirectory", &S::UseTempDirectory, "0", "0"},
    {kMknmz, "LastDate", &S::LastDate, nullptr, "???"},
    {kMknmz, "IndexDir", &S::IndexDir, nullptr, ""},
};
const KeyDef kSearchKeys[] = {
    {kSearch, "FormulaHistoryCount", &S::FormulaHistoryCount, "10", "10"},
    {kSearch, "Sort", &S::Sort, "None", "None"},
    {kSearch, "SortDirection", &S::SortDirection, "Descend", "Descend"},
    {kSearch, "ShowContents", &S::ShowContents, "1", "1"},
    {kSearch, "ListCount", &S::ListCount, "20", "20"},
    {kSearch, "TargetFolderCount", &S::SearchTargetFolderCount, "0", "0"},
};
const KeyDef kResultKeys[] = {
    {kResult, "SwitchIME", &S::SwitchIME, "0", "0"},
    {kResult, "SearchOnChangeSettings", &S::SearchOnChangeSettings, "0", "0"},
    {kResult, "RenameToFolderName", &S::RenameToFolderName, "1", "1"},
    {kResult, "CloseOnMailView", &S::CloseOnMailView, "0", "0"},
    {kResult, "ConfirmCommandLine", &S::ConfirmCommandLine, "0", "0"},
    {kResult, "FontNameResult", &S::FontNameResult, "ＭＳ Ｐゴシック", "ＭＳ Ｐゴシック"},
    {kResult, "FontSizeResult", &S::FontSizeResult, "9", "9"},
    {kResult, "FontBoldResult", &S::FontBoldResult, "0", "0"},
    {kResult, "FontNameMail", &S::FontNameMail, "ＭＳ ゴシック", "ＭＳ ゴシック"},
    {kResult, "FontSizeMail", &S::FontSizeMail, "9", "9"},
    {kResult, "FontBoldMail", &S::FontBoldMail, "0", "0"},
    {kResult, "Color", &S::Color, "1", "1"},
    {kResult, "HighlightWords", &S::HighlightWords, nullptr, "1"},
    {kResult, "SaveWindowPos", &S::SaveWindowPos, "0", "0"},
    {kResult, "SaveWindowSize", &S::SaveWindowSize, "0", "0"},
    {kResult, "WindowLeft", &S::WindowLeft, nullptr, ""},
    {kResult, "WindowTop", &S::WindowTop, nullptr, ""},
    {kResult, "WindowWidth", &S::WindowWidth, nullptr, ""},
    {kResult, "WindowHeight", &S::WindowHeight, nullptr, ""},
};
const KeyDef kCommandKeys[] = {
    {kCommand, "namazuPath", &S::namazuPath, "C:\\namazu\\bin\\namazu.exe", "C:\\namazu\\bin\\namazu.exe"},
    {kCommand, "mknmzPath", &S::mknmzPath, "C:\\namazu\\bin\\mknmz", "C:\\namazu\\bin\\mknmz"},
    {kCommand, "PerlPath", &S::PerlPath, "C:\\Perl\\bin\\perl.exe", "C:\\Perl\\bin\\perl.exe"},
    {kCommand, "namazuOption", &S::namazuOption, "--config=\"namazurc\"", ""},
    {kCommand, "mknmzOption", &S::mknmzOption, "--use-kakasi --mailnews -EHK --allow=\".*\\.alm\"", "-kh -KP"},
    {kCommand, "DateOption", &S::DateOption, kDefaultDateOption, kDefaultDateOption},
    {kCommand, "Createnamazurc", &S::Createnamazurc, "1", "1"},
    {kCommand, "NamazuVersion", &S::NamazuVersion, "2.0", "2.0"},
};

// Namazu 1.3 keeps its programs and takes its options elsewhere; a new file
// is always for Namazu 2, so these serve only the defaults buttons.
const struct {
  const char *mknmzPath, *namazuPath, *mknmzOption, *namazuOption, *DateOption;
} kNamazu13Defaults = {"C:\\usr\\local\\namazu\\bin\\mknmz", "C:\\usr\\local\\namazu\\bin\\namazu.exe",
                       "-kh -P -t \".*\\.alm\"", "", kDefaultDateOption13};

template <size_t N>
void LoadKeys(const IniFile& ini, TTVPSettings& s, const KeyDef (&keys)[N]) {
  for (const KeyDef& k : keys) s.*k.field = ini.Read(k.section, k.key, k.ifAbsent);
}

template <size_t N>
void WriteDefaults(IniFile& ini, const KeyDef (&keys)[N]) {
  for (const KeyDef& k : keys)
    if (k.defaultFile) ini.Write(k.section, k.key, k.defaultFile);
}

void SaveKey(IniFile& ini, const TTVPSettings& s, const KeyDef& k) { ini.Write(k.section, k.key, s.*k.field); }

template <size_t N>
const KeyDef& Key(const KeyDef (&keys)[N], const char* name) {
  for (const KeyDef& k : keys)
    if (std::string(k.key) == name) return k;
  throw std::logic_error(std::string("unknown settings key ") + name);
}

// A count read from the file is bounded: far above any real list, far below
// what would exhaust the memory or freeze the host.
int ListCount(const std::string& count) { return std::min(std::max(ToIntDef(count, 0), 0), kMaxListEntries); }

std::vector<std::string> ListKeys(const char* prefix, int n) {
  std::vector<std::string> keys;
  keys.reserve(n);
  for (int i = 0; i < n; ++i) keys.push_back(prefix + std::to_string(i + 1));
  return keys;
}

void LoadList(const IniFile& ini, const char* section, std::string& count, const char* prefix,
              std::vector<std::string>& list) {
  int n = ListCount(count);
  if (ToIntDef(count, 0) > kMaxListEntries) count = std::to_string(n);  // the list holds as many as it says
  list = ini.ReadMany(section, ListKeys(prefix, n));
}

void SaveList(IniFile& ini, const char* section, const std::string& count, const char* prefix,
              const std::vector<std::string>& list) {
  int n = ListCount(count);
  std::vector<std::string> keys = ListKeys(prefix, n);
  std::vector<std::pair<std::string, std::string>> values;
  values.reserve(n);
  for (int i = 0; i < n; ++i)
    values.emplace_back(std::move(keys[i]), static_cast<size_t>(i) < list.size() ? list[i] : std::string());
  ini.WriteMany(section, values);
}

}  // namespace

void WriteDefaultSettings(IniFile& ini) {
  ini.Write(kGeneral, "Version", "0.9.2");
  WriteDefaults(ini, kGeneralKeys);
  WriteDefaults(ini, kMknmzKeys);
  ini.Write(kSearch, "UsePreviousTarget", "0");
  WriteDefaults(ini, kSearchKeys);
  WriteDefaults(ini, kResultKeys);
  WriteDefaults(ini, kCommandKeys);
  ini.Write("Alias", "Max", "0");
}

void LoadSettings(const IniFile& ini, TTVPSettings& s) {
  // Scalars first: the lists' counts come from them.
  LoadKeys(ini, s, kGeneralKeys);
  LoadKeys(ini, s, kMknmzKeys);
  LoadKeys(ini, s, kSearchKeys);
  LoadKeys(ini, s, kResultKeys);
  LoadKeys(ini, s, kCommandKeys);
  s.DateOption = CurrentDateOption(s.DateOption);
  LoadList(ini, kMknmz, s.MknmzTargetFolderCount, "Folder", s.MknmzFolders);
  LoadList(ini, kSearch, s.SearchTargetFolderCount, "Folder", s.SearchFolders);
  LoadList(ini, kSearch, s.FormulaHistoryCount, "History", s.History);
}

void SaveSettings(IniFile& ini, const TTVPSettings& s) {
  for (const KeyDef& k : kGeneralKeys) SaveKey(ini, s, k);
  for (const char* name : {"When", "ShowWindow", "Ask", "InDosPromptWindow", "Minimize", "CloseOnFinish",
                           "IntervalCountMail", "UsePreviousTarget", "TargetFolderCount", "LastDate"})
    SaveKey(ini, s, Key(kMknmzKeys, name));
  SaveList(ini, kMknmz, s.MknmzTargetFolderCount, "Folder", s.MknmzFolders);
  SaveKey(ini, s, Key(kMknmzKeys, "UseTempDirectory"));
  SaveKey(ini, s, Key(kSearchKeys, "TargetFolderCount"));
  SaveList(ini, kSearch, s.SearchTargetFolderCount, "Folder", s.SearchFolders);
  SaveKey(ini, s, Key(kSearchKeys, "FormulaHistoryCount"));
  SaveList(ini, kSearch, s.FormulaHistoryCount, "History", s.History);
  for (const char* name : {"Sort", "SortDirection", "ShowContents", "ListCount"}) SaveKey(ini, s, Key(kSearchKeys, name));
  for (const KeyDef& k : kResultKeys) SaveKey(ini, s, k);
  for (const KeyDef& k : kCommandKeys) SaveKey(ini, s, k);
}

std::string CurrentDateOption(const std::string& stored) {
  if (stored == "--late,--early") return kDefaultDateOption;
  if (stored == "-l,-e") return kDefaultDateOption13;
  return stored;
}

bool IsNamazu13(const std::string& namazuVersion) { return namazuVersion == "1.3"; }

CommandDefaults DefaultCommands(const std::string& namazuVersion) {
  auto fileDefault = [](const char* key) { return std::string(Key(kCommandKeys, key).defaultFile); };
  std::string perl = fileDefault("PerlPath");
  if (IsNamazu13(namazuVersion))
    return {perl, kNamazu13Defaults.mknmzPath, kNamazu13Defaults.namazuPath, kNamazu13Defaults.mknmzOption,
            kNamazu13Defaults.namazuOption, kNamazu13Defaults.DateOption};
  return {perl, fileDefault("mknmzPath"), fileDefault("namazuPath"), fileDefault("mknmzOption"),
          fileDefault("namazuOption"), fileDefault("DateOption")};
}

std::string SettingsPath(const std::string& accountDir) {
  return IncludeTrailingBackslash(accountDir) + kSettingsFileName;
}

std::string ReadIniText(const FileSystem& fs, const std::string& path) {
  std::string text, reason;
  if (fs.TryReadFile(path, text, reason) == ReadStatus::Failed) throw FileReadError(path, reason);
  return text;
}

IniFile ReadIniFile(const FileSystem& fs, const std::string& path) { return IniFile(ReadIniText(fs, path)); }

void WriteDefaultSettings(FileSystem& fs, const std::string& path) {
  UpdateIniFile(fs, path, [](IniFile& ini) { WriteDefaultSettings(ini); });
}

void EnsureSettings(FileSystem& fs, const std::string& path, TTVPSettings& s) {
  if (fs.FileExists(path)) return;
  WriteDefaultSettings(fs, path);
  LoadSettings(fs, path, s);
}

void LoadSettings(const FileSystem& fs, const std::string& path, TTVPSettings& s) {
  LoadSettings(ReadIniFile(fs, path), s);
}

void SaveSettings(FileSystem& fs, const std::string& path, const TTVPSettings& s) {
  UpdateIniFile(fs, path, [&s](IniFile& ini) { SaveSettings(ini, s); });
}

void SetMailCount(FileSystem& fs, const std::string& path, int count) {
  UpdateIniFile(fs, path, [count](IniFile& ini) { ini.Write(kMknmz, "NowCountMail", std::to_string(count)); });
}

void IncrementMailCount(FileSystem& fs, const std::string& path) {
  UpdateIniFile(fs, path, [](IniFile& ini) {
    // The count stops at the largest value it can hold rather than wrap.
    std::string now = Trim(ini.Read(kMknmz, "NowCountMail"));
    bool huge = !now.empty() && now.find_first_not_of("0123456789") == std::string::npos && ToIntDef(now, -1) < 0;
    long long n = huge ? INT_MAX : ToIntDef(now, 0);
    ini.Write(kMknmz, "NowCountMail", std::to_string(std::min<long long>(n + 1, INT_MAX)));
  });
}

}  // namespace tvp
