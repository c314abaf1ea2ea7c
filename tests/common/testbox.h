// Test helpers for the sandboxed box: every test executable runs inside the
// sandbox (ctest starts it there), where /mnt/hd is a private box folder and
// /tmp a private tmpfs.  The helpers refuse to run anywhere else.
#ifndef STECKWART_TESTBOX_H
#define STECKWART_TESTBOX_H

#include <cstdint>
#include <string>
#include <vector>

namespace testbox {

// The box's disk and folders as the plug-in names them.
inline const std::string kDisk = "/mnt/hd";
inline const std::string kProgramFiles = "/mnt/hd/ProgramFiles";
inline const std::string kSettings = "/mnt/hd/ProgramFiles/Settings";
inline const std::string kFonts = "/mnt/hd/ProgramFiles/Settings/Fonts";

// Empties /mnt/hd and /tmp.
void Clear();

// Writes bytes to a file, creating its folders; reads a whole file.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
void MakeFolders(const std::string& path);
// Names in a folder, sorted; empty when it does not exist.
std::vector<std::string> List(const std::string& folder);

// Copies the four plug-in fonts (built from Carlito) into the box.
void InstallFonts();
// Copies the system's wget into the box as ProgramFiles/wget.
void InstallWget(int mode = 0755);

// Paths into the source and build trees.
std::string SourcePath(const std::string& relative);
std::string BuildPath(const std::string& relative);
std::string FontPath(const std::string& name);

}  // namespace testbox

#endif
