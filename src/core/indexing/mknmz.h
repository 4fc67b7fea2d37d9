// The decisions of the index update that need no window: command lines for
// mknmz, the drive mapping for long folder paths with Namazu 1.3, the stored
// target folders, ticking a folder of folders, and the status texts.
#pragma once

#include <string>
#include <vector>

#include "core/mailbox/folder_tree.h"
#include "core/settings/settings.h"

namespace tvp {

struct MknmzCommand {
  std::string commandLine;
  std::string workDir;
};

// The output directory as mknmz is given it. mknmz cannot build an index in
// a directory whose path holds a blank (it globs its temporary files, and a
// glob splits at blanks); the short form `shortDir` has none unless short
// names are off on the volume. Then the directory (`longDir`) is named
// relative to the directory mknmz runs in, "../Namazu/inbox" for an index
// below the account seen from a mail folder, when that path holds no blank.
std::string MknmzOutputDir(const std::string& shortDir, const std::string& longDir, const std::string& runDir);

// The command for one folder. outputDir is the (short) output directory,
// folderDir the folder's directory (ending in a backslash), accountDir the
// account directory as the host reports it. mappedDrive is the drive letter
// that stands for the folder's parent (0: none); captured tells whether the
// command runs into the output window.
MknmzCommand MknmzCommandFor(const TTVPSettings& settings, const std::string& outputDir,
                             const std::string& folderDir, const std::string& accountDir, char mappedDrive,
                             bool captured);

// A drive is mapped only for Namazu 1.3 outside the NT family, for folder
// paths longer than 60 characters.
bool NeedsDriveMapping(const std::string& namazuVersion, bool ntFamily, const std::string& folderDir);
std::string SubstCommand(char drive, const std::string& folderDir);  // maps the folder's parent
std::string SubstRemoveCommand(char drive);

// The list of check marks: one entry per folder of the list.
using Ticks = std::vector<bool>;

// The entries "position:title" of ticked mail folders (never groups).
std::vector<std::string> StoredTargets(const std::vector<TFolderInfo>& folders, const Ticks& ticks);

struct RestoredTargets {
  Ticks ticks;
  bool saveTarget = false;  // some stored entry had a position part
};
// Ticks the folders whose stored position still holds the stored title.
RestoredTargets RestoreTargets(const std::vector<TFolderInfo>& folders, const std::vector<std::string>& stored);

// A group passes its new tick to the items below it that lie deeper.
void TickGroup(const std::vector<TFolderInfo>& folders, Ticks& ticks, size_t group);

// Positions of the ticked mail folders, in list order.
std::vector<size_t> FoldersToIndex(const std::vector<TFolderInfo>& folders, const Ticks& ticks);

// The text of a folder in the check list: one full-width blank per level.
std::string FolderListText(const TFolderInfo& folder);

extern const char kIndexingStatus[];  // "インデックス作成中... しばらくお待ちください。"
std::string IdleStatus(const TTVPSettings& settings);
std::string ProgressStatus(size_t n, size_t total);
std::string OutputWindowCaption(const std::string& title, size_t n, size_t total);
// "yyyy/mm/dd hh:nn"
std::string FormatUpdateDate(int year, int month, int day, int hour, int minute);

// The question when a folder's index holds the lock files of a mknmz run
// that was stopped (NMZ.lock, NMZ.lock2): mknmz refuses such an index and
// namazu reports it locked until they go.
std::string LeftOverLockQuestion(const std::string& folderTitle);

}  // namespace tvp
