#pragma once
// Both programs run with administrator rights from folders that others can write to (a
// download folder, a copied medium), where a DLL named like a system one would be loaded in
// place of the system's. So they import statically only DLLs that Windows always takes from its
// system folder (the KnownDLLs), restrict every later load to that folder before anything else
// runs, and load the rest here, on demand, from the system folder only.
//
// comctl32.dll is one of the rest. The manifest's side-by-side dependency selects its
// version 6 by name wherever it is loaded from, but as a static import it would be resolved,
// together with the DLLs it pulls in, before the restriction holds.
#include <windows.h>

#include <commctrl.h>

namespace plat::win32 {

// First thing in each program's entry: DLLs from the system folder only, the redirection guard
// where the system has it. Also keeps the system's own "no disk in the drive" box
// away, so that the program's message about a missing medium or target is what the user sees.
void HardenProcess();

// The common controls' functions the program uses, from the system's comctl32.dll.
struct CommonControls {
  decltype(&::InitCommonControlsEx) InitCommonControlsEx;
  decltype(&::ImageList_Create) ImageList_Create;
  decltype(&::ImageList_AddMasked) ImageList_AddMasked;
  decltype(&::SetWindowSubclass) SetWindowSubclass;
  decltype(&::RemoveWindowSubclass) RemoveWindowSubclass;
  decltype(&::DefSubclassProc) DefSubclassProc;
};
// Loaded on the first call; raises plat::Error when the DLL or a function is missing.
const CommonControls& Comctl();

}  // namespace plat::win32
