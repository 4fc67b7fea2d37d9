#include "core/settings/aliases.h"

#include <algorithm>

#include "core/common/sjis.h"
#include "core/settings/settings.h"

namespace tvp {

namespace {
const char kAlias[] = "Alias";
const char kSearch[] = "Search";
const char kFullWidthSpace[] = "　";

std::string Num(int n) { return std::to_string(n); }
}  // namespace

void LoadAliases(const IniFile& ini, TTVPAliases& aliases) {
  aliases = TTVPAliases();
  int count = std::max(0, ToIntDef(ini.Read(kAlias, "Max", "0"), 0));
  aliases.Items.resize(count);
  aliases.Count = count;
  for (int i = 1; i <= count; ++i) {
    TAliasInfo& a = aliases.Items[i - 1];
    a.Name = ini.Read(kAlias, "Name" + Num(i));
    int n = ToIntDef(ini.Read(kAlias, "DirCount" + Num(i), "0"), 0);
    for (int k = 1; k <= n; ++k) a.Dirs += ini.Read(kAlias, "Dir" + Num(i) + "-" + Num(k)) + "\r";
  }
  if (count >= 1) aliases.SelectedName = ini.Read(kSearch, "Alias");
}

void SaveAliases(IniFile& ini, const TTVPAliases& aliases) {
  ini.Write(kAlias, "Max", Num(static_cast<int>(aliases.Items.size())));
  for (size_t i = 0; i < aliases.Items.size(); ++i) {
    std::string n = Num(static_cast<int>(i + 1));
    ini.Write(kAlias, "Name" + n, aliases.Items[i].Name);
    std::vector<std::string> members = AliasMembers(aliases.Items[i].Dirs);
    ini.Write(kAlias, "DirCount" + n, Num(static_cast<int>(members.size())));
    for (size_t k = 0; k < members.size(); ++k) ini.Write(kAlias, "Dir" + n + "-" + Num(static_cast<int>(k + 1)), members[k]);
  }
  ini.Write(kSearch, "Alias", aliases.SelectedName);
}

void LoadAliases(const FileSystem& fs, const std::string& path, TTVPAliases& aliases) {
  LoadAliases(ReadIniFile(fs, path), aliases);
}

void SaveAliases(FileSystem& fs, const std::string& path, const TTVPAliases& aliases) {
  UpdateIniFile(fs, path, [&](IniFile& ini) { SaveAliases(ini, aliases); });
}

int FindAlias(const std::string& name, const TTVPAliases& aliases) {
  for (size_t i = 0; i < aliases.Items.size(); ++i)
    if (aliases.Items[i].Name == name) return static_cast<int>(i);
  return -1;
}

void AddOrReplaceAlias(TTVPAliases& aliases, const std::string& name, const std::string& dirs) {
  int i = FindAlias(name, aliases);
  if (i >= 0) {
    aliases.Items[i].Dirs = dirs;
    return;
  }
  aliases.Items.push_back({name, dirs});
  aliases.Count = static_cast<int>(aliases.Items.size());
}

void RenameAlias(TTVPAliases& aliases, int index, const std::string& name) {
  if (index >= 0 && index < static_cast<int>(aliases.Items.size())) aliases.Items[index].Name = name;
}

void MoveAlias(TTVPAliases& aliases, int from, int to) {
  int n = static_cast<int>(aliases.Items.size());
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  auto& v = aliases.Items;
  if (from < to)
    std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
  else
    std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

bool DeleteAlias(TTVPAliases& aliases, const std::string& name) {
  int i = FindAlias(name, aliases);
  if (i < 0) return false;
  aliases.Items.erase(aliases.Items.begin() + i);
  aliases.Count = static_cast<int>(aliases.Items.size());
  return true;
}

std::vector<std::string> AliasNames(const TTVPAliases& aliases) {
  std::vector<std::string> names;
  for (const TAliasInfo& a : aliases.Items) names.push_back(a.Name);
  return names;
}

std::vector<std::string> AliasMembers(const std::string& dirs) { return SplitLines(dirs); }

std::vector<int> ResolveAlias(const TAliasInfo& alias, const std::vector<TFolderInfo>& folders,
                              const std::string& prefix) {
  std::vector<int> positions;
  for (const std::string& member : AliasMembers(alias.Dirs)) {
    if (member.empty()) continue;
    int p = FindFolderByIndexDir(folders, prefix + member);
    if (p >= 0) positions.push_back(p);
  }
  return positions;
}

TAliasSavePlan PlanAliasSave(const std::vector<std::string>& names, int edited, int chosenName,
                             const std::string& newName, int insertAt) {
  TAliasSavePlan plan;
  if (edited < 0 || edited >= static_cast<int>(names.size())) {
    plan.error = "編集対象のエイリアスを選択してください。";
    return plan;
  }
  if (ReplaceAll(newName, kFullWidthSpace, "").empty()) {
    plan.error = "新エイリアス名を入力してください。\n順番のみを変更するときは編集対象と同じものを選択してください。";
    return plan;
  }
  int target = insertAt >= 0 ? insertAt : edited;
  if (chosenName != edited) {
    int found = -1;
    for (size_t i = 0; i < names.size() && found < 0; ++i)
      if (EqualsNoCase(names[i], newName)) found = static_cast<int>(i);
    if (found < 0) {
      plan.rename = true;
    } else if (found == edited) {
      target = insertAt;
    } else {
      plan.error = "すでに存在する名称には変更できません。";
      return plan;
    }
  }
  if (target >= 0 && target != edited && target < static_cast<int>(names.size())) plan.moveTo = target;
  return plan;
}

std::vector<std::string> InsertPositionItems(int count) {
  std::vector<std::string> items;
  for (int i = 1; i <= count; ++i) {
    std::string item = Num(i);
    if (i == 1) item += " (先頭)";
    else if (i == count) item += " (最後)";
    items.push_back(item);
  }
  return items;
}

}  // namespace tvp
