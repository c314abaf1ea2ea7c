// The box folder: the simulated recorder's disk, mounted as /mnt/hd in the
// sandbox.
#ifndef STECKWART_BOXSIM_BOXFOLDER_H
#define STECKWART_BOXSIM_BOXFOLDER_H

#include <string>

#include "options.h"

namespace boxsim {

// Creates what a recorder with the plug-in installed has, where missing:
//   ProgramFiles/wget                          a copy of the system's wget
//   ProgramFiles/Settings/Fonts/Calibri_*.ufnt the plug-in's four fonts
//                                              (renewed when the build's differ)
//   ProgramFiles/Settings/Firmware.dat         box records, one for the
//                                              simulated system id (type 5)
//   ProgramFiles/Settings/Steckwart/Steckwart.ini   settings for the router
// A given router address, user or password is written into an existing
// settings file too.  The box folder itself is created when missing, but
// not its parent (a mistyped path is reported, not built).  Prints what it
// does.  On failure returns false with error set.
bool prepareBoxFolder(const Options& options, std::string* error);

}  // namespace boxsim

#endif
