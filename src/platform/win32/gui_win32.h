#pragma once
// The component model realised with real windows: every windowed control is a Win32 window
// (standard classes where Windows has one), graphic controls are painted by their parent, and
// user input flows back into the components through the same entry points the tests use.
#include <windows.h>

#include <oleacc.h>
#include <shobjidl.h>

#include <map>
#include <memory>
#include <string>

#include "platform/gui.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_base.h"

namespace plat::win32 {

class Win32Gui;

// The extent of a text (its lines as they break at CR LF) in the font.
SIZE TextExtent(HDC dc, HFONT font, const WString& text);

// One windowed control's window: of our own class for containers (forms, panels, pages),
// a subclassed list box for the check-list box, a plain system control otherwise.
class WindowRealization : public gui::Realization, public WindowBase {
 public:
  WindowRealization(Win32Gui& gui, gui::Control& control) : control(control), gui_(gui) {}
  ~WindowRealization() override;
  void Changed(gui::Control& control, gui::Prop what) override;

  gui::Control& control;
  bool settingText = false;  // our own SetWindowText must not come back as a user edit

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ChangeWindow(gui::Control& control, gui::Prop what);
  LRESULT ContainerMessage(gui::WinControl& container, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CheckListMessage(gui::CheckListBox& list, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintBuffered(gui::WinControl& container);
  void Command(gui::WinControl& container, WPARAM wParam, LPARAM lParam);
  LRESULT ControlColor(HDC dc, HWND child);
  void DrawCheckListItem(const DRAWITEMSTRUCT& draw);

  Win32Gui& gui_;
  HWND lastFocus_ = nullptr;  // of a form, while another window is active

 public:
  int dpi = 96;  // of a form: the pixels per inch of its monitor
};

// A control without a window: its parent repaints the area it covers.
class GraphicRealization : public gui::Realization {
 public:
  explicit GraphicRealization(Win32Gui& gui) : gui_(gui) {}
  void Changed(gui::Control& control, gui::Prop what) override;

 private:
  Win32Gui& gui_;
};

// The hidden application window: owner of every form, the window whose text names the
// program to other programs (and to the installer's own running-component check), and, shown
// without any size, the program's one task-bar button. Minimising it from the task bar takes
// the forms with it; activating it (Alt+Tab, the button) passes on to the form in use.
class AppWindow : public WindowBase {
 public:
  AppWindow();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND LastForm() const;
};

class Win32Gui : public gui::Gui {
 public:
  Win32Gui();
  ~Win32Gui() override;

  void SetTitle(const std::string& title) override;
  void ShowForm(gui::Form& form) override;
  void HideForm(gui::Form& form) override;
  void ShowModal(gui::Form& form) override;
  void RunMessageLoop() override;
  void Terminate() override;
  bool Terminated() const override { return terminated_; }
  void Post(gui::Form& form, uint32_t message) override;
  void Update(gui::Form& form) override;
  void Focus(gui::Control& control) override;
  gui::Color SystemColor(gui::Color color) override;
  void SetCursor(gui::Cursor cursor) override;
  bool LoadBitmapResource(const std::string& name, gui::Bitmap& out) override;
  int TextHeight(const gui::Font& font) override;
  int TextWidth(const gui::Font& font, const std::string& text) override;

  // For the realisations and window procedures.
  HFONT FontHandle(const gui::Font& font);
  const gui::Font& EffectiveFont(const gui::Control& control);
  HWND WindowOf(const gui::Control* control) const;
  gui::Control* ControlOfId(int id) const;
  HWND ApplicationWindow() const { return app_.Window(); }
  HCURSOR ScreenCursor() const { return cursor_; }
  void Realize(gui::Form& form);
  void Unregister(gui::Control& control, int id);
  void PaintContainer(gui::WinControl& container, HDC dc, const RECT& area);
  void MouseDown(gui::WinControl& container, int x, int y);
  void MouseUp(gui::WinControl& container, int x, int y);
  // The application's task-bar button follows a progress bar; 100 ends the display.
  void ShowTaskbarProgress(int percent);
  // The documents give every size at 96 DPI; a form's windows use its monitor's DPI.
  static int WindowDpi(HWND window);  // the system's for no window
  int Dpi(const gui::Control& control) const;
  int Px(const gui::Control& control, int length) const { return MulDiv(length, Dpi(control), 96); }
  RECT DeviceRect(const gui::Control& control) const;
  // Where a windowed control goes: its scaled bounds, a check box widened within its parent
  // until its caption fits.
  RECT Placement(const gui::Control& control);
  gui::Font ScaledFont(const gui::Control& control);
  HFONT DeviceFont(const gui::Control& control) { return FontHandle(ScaledFont(control)); }
  // The scaled font, smaller where the caption would not fit into `room` pixels otherwise.
  gui::Font FittedFont(const gui::Control& control, int room, HDC dc);
  // What a window letters its caption in: a check box that cannot widen enough letters smaller.
  HFONT WindowFont(const gui::Control& control);
  int ItemHeight(const gui::CheckListBox& list);
  // The font a label is painted in: its own, scaled, and smaller where its panel is too narrow.
  gui::Font LabelFont(const gui::CustomLabel& label, HDC dc);
  // After a move to a monitor of another DPI: everything placed and lettered anew.
  void ChangeDpi(gui::Form& form, int dpi, const RECT* suggested);
  // Puts the keyboard on the form's default button, else on its first tab stop, else on the
  // form itself.
  void FocusFirst(gui::Form* form);
  // What screen readers read: the names that labels give to controls, and the check-list
  // items' ticks.
  void NameControls(gui::Form& form);
  void ExposeItems(const gui::CheckListBox& list, HWND window);

 private:
  void RealizeChildren(gui::WinControl& parent, HWND parentWindow);
  void Relayout(gui::WinControl& parent);
  HWND CreateFor(gui::Control& control, HWND parentWindow);
  void Decorate(gui::Control& control, WindowRealization& realization);
  void RunUntil(gui::Form& form);

  AppWindow app_;
  HCURSOR cursor_ = nullptr;
  bool terminated_ = false;
  int nextId_ = 1000;
  std::map<int, gui::Control*> byId_;
  std::map<std::string, UniqueFont> fonts_;
  gui::Control* pressed_ = nullptr;  // a speed button held down
  ComPtr<ITaskbarList3> taskbar_;
  bool taskbarTried_ = false;
  ComPtr<IAccPropServices> access_;
  bool accessTried_ = false;
  IAccPropServices* Access();
};

}  // namespace plat::win32
