#pragma once

#include <windows.h>

#include <string>

// The string-table text id of the program's own module, as stored (Shift-JIS);
// empty when there is none.
std::string LoadResString(UINT id);
