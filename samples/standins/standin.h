#pragma once
// What a stand-in for one of the package's programs shows of itself: the hidden application
// window that the installer's running-program check looks for, and a main window.
#include <windows.h>

struct StandIn {
  const wchar_t* applicationTitle;  // hidden "TApplication" window; nullptr: none
  const wchar_t* mainClass;
  const wchar_t* mainCaption;
  const wchar_t* text;  // drawn in the main window
};

int RunStandIn(HINSTANCE instance, const StandIn& program);
