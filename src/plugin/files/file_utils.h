// File operations by mask, and directory helpers, on the Win32 file system.
#pragma once

#include <string>
#include <vector>

namespace tvp {

// Appends dir + name of every plain file matching dir + mask (no
// directories, hidden or system files), in the order the system lists them.
void ListFiles(const std::string& dir, const std::string& mask, std::vector<std::string>& list);
// Deletes the files ListFiles finds; failures are ignored.
void DeleteFiles(const std::string& dir, const std::string& mask);
// Copies every file of `source` except "filelist.txt" into `target`,
// overwriting; with `move` 1 the source file is deleted once copied.
void CopyFiles(const std::string& source, const std::string& target, int move);

// Creates a directory with all missing parents. True if it exists
// afterwards; otherwise GetLastError tells why.
bool ForceDirectories(const std::string& dir);
bool DirectoryExists(const std::string& dir);
// The short (8.3) form of a path, or the path itself when there is none.
std::string ShortPathName(const std::string& path);
// The system's temporary directory, with its trailing backslash; empty when
// the system has none that fits a path.
std::string TempDirectory();

}  // namespace tvp
