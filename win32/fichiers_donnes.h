#pragma once
// The files given to zor.exe: those the shell drops on its window (WM_DROPFILES), and those
// its command line names (the shell's « Ouvrir avec »), each as UTF-8, by its wide name.
#include <string>
#include <vector>

#include "platform/windows_leger.h"

#include <shellapi.h>

namespace zor::win32 {

// The files of a drop, in the order given; the drop is finished (DragFinish).
std::vector<std::string> fichiersDeposes(HDROP depot);

// The program's arguments after its own name, read from the wide command line.
std::vector<std::string> argumentsDuProgramme();

}  // namespace zor::win32
