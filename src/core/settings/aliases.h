// Folder aliases: named sets of mail folders, stored in section [Alias] of
// "tarvikp.ini" with the name chosen last in [Search] Alias. Members are
// index directories relative to the account directory ("Namazu\b001\").
#pragma once

#include <string>
#include <vector>

#include "core/common/filesys.h"
#include "core/mailbox/folder_tree.h"
#include "core/settings/ini.h"

namespace tvp {

struct TAliasInfo {
  std::string Name;  // unique, compared exactly
  std::string Dirs;  // members, each followed by a carriage return
};

struct TTVPAliases {
  int Count = 0;                  // always Items.size()
  std::vector<TAliasInfo> Items;  // in display order
  int SelectedIndex = -1;         // kept in memory only
  std::string SelectedName;       // [Search] Alias
};

// The mapping itself, on an ini file held in memory. [Search] Alias is read
// only when there is at least one alias. Keys of aliases and members beyond
// the counts stay in the file and are ignored.
void LoadAliases(const IniFile& ini, TTVPAliases& aliases);
void SaveAliases(IniFile& ini, const TTVPAliases& aliases);
// On the settings file: a save rewrites it in one step and leaves every other
// key as it is on disk now; throws FileError when the disk refuses.
void LoadAliases(const FileSystem& fs, const std::string& path, TTVPAliases& aliases);
void SaveAliases(FileSystem& fs, const std::string& path, const TTVPAliases& aliases);

// Position of the alias named exactly `name`, or -1.
int FindAlias(const std::string& name, const TTVPAliases& aliases);
// Replaces the members of the alias named `name`, or appends a new alias.
void AddOrReplaceAlias(TTVPAliases& aliases, const std::string& name, const std::string& dirs);
void RenameAlias(TTVPAliases& aliases, int index, const std::string& name);
// Takes alias `from` out and puts it at `to`; the ones between slide by one.
void MoveAlias(TTVPAliases& aliases, int from, int to);
// Removes the alias named exactly `name`; false (nothing changed) when absent.
bool DeleteAlias(TTVPAliases& aliases, const std::string& name);
std::vector<std::string> AliasNames(const TTVPAliases& aliases);

// The members of an alias, one per line; a final terminator adds no line.
std::vector<std::string> AliasMembers(const std::string& dirs);
// Positions in `folders` of the members (prefix + member), in member order;
// members without a folder are skipped.
std::vector<int> ResolveAlias(const TAliasInfo& alias, const std::vector<TFolderInfo>& folders,
                              const std::string& prefix);

// What "save" of the alias edit dialog does with its inputs. `edited` is the
// alias being edited, `chosenName` the position chosen in the new-name list
// (-1: none), `newName` the trimmed new name, `insertAt` the chosen insert
// position (-1: none).
struct TAliasSavePlan {
  std::string error;    // a message to show; nothing is saved then
  bool rename = false;  // give the alias newName
  int moveTo = -1;      // new position, -1: stays
};
TAliasSavePlan PlanAliasSave(const std::vector<std::string>& names, int edited, int chosenName,
                             const std::string& newName, int insertAt);

// Items of the insert-position list for `count` aliases: "1 (先頭)", "2", ..., "n (最後)".
std::vector<std::string> InsertPositionItems(int count);

}  // namespace tvp
