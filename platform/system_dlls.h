#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

// The installer runs elevated from wherever it was downloaded or copied, so a
// DLL of a system name planted beside it must never load. Both programs call
// RestrictDllSearchPath first thing; optional system DLLs are loaded at run
// time, from the system folder only.

// Leaves the system folder as the only place LoadLibrary looks (where the
// system can say so), and the current folder out in any case.
void RestrictDllSearchPath();

// A DLL of the system folder by its bare name; null when it is not there.
HMODULE LoadSystemDll(const char* name);

// The common controls, loaded at run time once the search path is restricted:
// a static import would load them, and the DLLs they import in turn, before
// the program's first line runs, from beside the program if planted there.
// The manifest's side-by-side version 6 is the one loaded.
BOOL CommonControlsInit(const INITCOMMONCONTROLSEX* controls);
INT_PTR CommonControlsPropertySheet(const PROPSHEETHEADERA* header);
