#pragma once
// The small retained component model the wizard is built from. Components form an ownership
// tree (owner, owned components, Name) and controls a parent tree; each control keeps its own
// state here, so the logic above can be driven and checked without any window. A backend may
// attach a Realization to a control to mirror every change into a real window and to feed
// user input back (see Control::Notify and the User* entry points).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat::gui {

// Colours in the 0x00BBGGRR form; values with the top bit set name a system colour by index.
using Color = uint32_t;
constexpr Color kSystemColor = 0x80000000;
constexpr Color clBtnFace = kSystemColor | 15;
constexpr Color clWindowText = kSystemColor | 8;
constexpr Color clWindow = kSystemColor | 5;
constexpr Color clBlack = 0x000000;
constexpr Color clNavy = 0x800000;
constexpr Color clMaroon = 0x000080;
constexpr Color clAqua = 0xFFFF00;
constexpr Color clWhite = 0xFFFFFF;
constexpr int kEastEuropeCharset = 238;
constexpr int kDefaultCharset = 1;
constexpr int kPixelsPerInch = 96;

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

struct Font {
  std::string name = "MS Sans Serif";
  int height = -11;  // pixels; negative: the character height without internal leading
  unsigned style = 0;
  Color color = clWindowText;
  int charset = kDefaultCharset;

  int Size() const;  // points at the form's resolution, rounded as the toolkit rounds
  void SetSize(int points);
  bool operator==(const Font& other) const;
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

// A device-independent picture: 0x00BBGGRR pixels, row by row from the top.
struct Bitmap {
  int width = 0, height = 0;
  int bitsPerPixel = 24;
  std::vector<Color> pixels;
  std::vector<Color> palette;  // set when the picture was switched to 8 bits per pixel
  Color Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  void SetPixel(int x, int y, Color c) { pixels[static_cast<size_t>(y) * width + x] = c; }
};

class Control;
class WinControl;
class Form;

// What a backend is told about a control: which property changed.
enum class Prop {
  Bounds,
  Visible,
  Enabled,
  Caption,
  Font,
  Checked,
  Items,
  ActivePage,
  Active,
  Default,
  Picture,
  ReadOnly,
  Position
};

class Realization {
 public:
  virtual ~Realization() = default;
  virtual void Changed(Control& control, Prop what) = 0;
};

class Component {
 public:
  Component(Component* owner, std::string name);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Owned components in creation order.
  const std::vector<Component*>& Components() const { return ownedOrder_; }
  // Searches the ownership tree below this component.
  Component* FindComponent(const std::string& name) const;

 private:
  Component* owner_;
  std::string name_;
  std::vector<std::unique_ptr<Component>> owned_;
  std::vector<Component*> ownedOrder_;
  template <class T, class... Args>
  friend T* Make(Component* owner, std::string name, Args&&... args);
};

// Creates a component owned (and later destroyed) by `owner`. Roots (forms) are held by
// whoever creates them, in a std::unique_ptr.
template <class T, class... Args>
T* Make(Component* owner, std::string name, Args&&... args) {
  auto component = std::make_unique<T>(owner, std::move(name), std::forward<Args>(args)...);
  T* raw = component.get();
  owner->owned_.push_back(std::move(component));
  owner->ownedOrder_.push_back(raw);
  return raw;
}

class Control : public Component {
 public:
  using Component::Component;
  ~Control() override;

  WinControl* Parent() const { return parent_; }
  void SetParent(WinControl* parent);
  Form* ParentForm() const;

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetWidth(int width) { SetBounds(bounds_.left, bounds_.top, width, bounds_.height); }
  void SetHeight(int height) { SetBounds(bounds_.left, bounds_.top, bounds_.width, height); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Visible and enabled along the whole parent chain, as a user meets it.
  bool Showing() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  Color GetColor() const { return color_; }
  void SetColor(Color color) { color_ = color; }

  std::function<void()> OnClick;
  // A click as the user makes it: nothing happens on a hidden or disabled control.
  virtual void Click();

  std::unique_ptr<Realization> realization;
  void Notify(Prop what) {
    if (realization) realization->Changed(*this, what);
  }

 protected:
  virtual void FontChanged() {}

 private:
  friend class WinControl;
  WinControl* parent_ = nullptr;
  Rect bounds_;
  bool visible_ = true, enabled_ = true, parentFont_ = true;
  std::string caption_;
  Font font_;
  Color color_ = clBtnFace;
};

class WinControl : public Control {
 public:
  using Control::Control;
  ~WinControl() override;
  const std::vector<Control*>& Children() const { return children_; }

 private:
  friend class Control;
  std::vector<Control*> children_;
};

// Controls without a window of their own: their parent paints them.
class GraphicControl : public Control {
 public:
  using Control::Control;
};

enum class Alignment { Left, Center, Right };

class CustomLabel : public GraphicControl {
 public:
  CustomLabel(Component* owner, std::string name);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a) { alignment_ = a; }
  // The control this label names: screen readers read the caption as that control's name.
  WinControl* focusControl = nullptr;

 private:
  bool transparent_ = false, autoSize_ = true;
  Alignment alignment_ = Alignment::Left;
};

class Label : public CustomLabel {
 public:
  using CustomLabel::CustomLabel;
};

class Image : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  // The picture: a bitmap, or an icon resource drawn centred.
  Bitmap picture;
  std::string iconResource;
  bool stretch = false, center = false, transparent = false;
  void PictureChanged() { Notify(Prop::Picture); }
};

enum class BevelShape { Box, BottomLine };

class Bevel : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  BevelShape shape = BevelShape::Box;
  bool lowered = true;
};

class SpeedButton : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
};

class Button : public WinControl {
 public:
  using WinControl::WinControl;
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }

 private:
  bool default_ = false, cancel_ = false;
};

enum class GlyphLayout { Left, Right };

class BitBtn : public Button {
 public:
  using Button::Button;
  std::string glyphResource;  // empty: no glyph
  GlyphLayout layout = GlyphLayout::Left;
};

class CheckBox : public WinControl {
 public:
  using WinControl::WinControl;
  bool Checked() const { return checked_; }
  // Changing the tick fires OnClick, whether the user or the program changed it.
  void SetChecked(bool checked);
  void Click() override;  // the user's click toggles the tick

 private:
  bool checked_ = false;
};

class CustomEdit : public WinControl {
 public:
  using WinControl::WinControl;
  const std::string& Text() const { return Caption(); }
  // Fires OnChange only when the text really changes.
  void SetText(const std::string& text);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  std::function<void()> OnChange;

 private:
  bool readOnly_ = false;
};

class Edit : public CustomEdit {
 public:
  using CustomEdit::CustomEdit;
};

class Memo : public CustomEdit {
 public:
  using CustomEdit::CustomEdit;
  std::vector<std::string> Lines() const;  // split at CR LF
  void SetLines(const std::vector<std::string>& lines);
  void Append(const std::string& line);
  bool wordWrap = true, verticalScrollBar = false;
};

class CheckListBox : public WinControl {
 public:
  using WinControl::WinControl;
  struct Item {
    std::string caption;
    bool checked = false, enabled = true;
  };
  const std::vector<Item>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& captions);
  void SetItemCaption(int index, const std::string& caption);  // keeps the tick
  bool Checked(int index) const { return items_.at(index).checked; }
  void SetChecked(int index, bool checked);
  bool ItemEnabled(int index) const { return items_.at(index).enabled; }
  void SetItemEnabled(int index, bool enabled);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void ClearSelection() { SetItemIndex(-1); }
  // The user's click on an item's box: ignored for a disabled item; fires OnClickCheck.
  void UserToggle(int index);
  std::function<void()> OnClickCheck;

 private:
  std::vector<Item> items_;
  int itemIndex_ = -1;
};

class Panel : public WinControl {
 public:
  using WinControl::WinControl;
  bool bevel = true;  // a lowered outer bevel; without it the panel only groups its children
};

class TabSheet : public WinControl {
 public:
  using WinControl::WinControl;
};

class PageControl : public WinControl {
 public:
  using WinControl::WinControl;
  TabSheet* ActivePage() const { return active_; }
  void SetActivePage(TabSheet* page);
  std::vector<TabSheet*> Pages() const;

 private:
  TabSheet* active_ = nullptr;
};

class Animate : public WinControl {
 public:
  using WinControl::WinControl;
  bool Active() const { return active_; }
  void SetActive(bool active);
  int stopFrame = 0;

 private:
  bool active_ = false;
};

// A bar filled from the left; the position is a percentage.
class ProgressBar : public WinControl {
 public:
  using WinControl::WinControl;
  int Position() const { return position_; }
  void SetPosition(int percent);

 private:
  int position_ = 0;
};

enum class BorderStyle { None, Single };
enum class Cursor { Default, HourGlass };

// Where a form's OnPaint draws; the headless backend records the calls.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(int left, int top, int right, int bottom, Color color) = 0;
};

class Form : public WinControl {
 public:
  using WinControl::WinControl;
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  BorderStyle borderStyle = BorderStyle::Single;
  bool maximized = false;
  bool centered = true;
  std::string iconResource;

  std::function<void()> OnShow;
  std::function<bool()> OnCloseQuery;  // false keeps the form open
  std::function<void(Canvas&)> OnPaint;
  std::function<void(uint32_t message)> OnMessage;  // posted private messages

  // Asks OnCloseQuery; when it agrees, the form closes (a modal showing ends). Returns whether
  // the form closed.
  bool Close();
  bool Closed() const { return closed_; }
  void Reopen() { closed_ = false; }
  // The control the keyboard is on, set by SetFocus of the backend or by the logic.
  Control* focused = nullptr;

 private:
  int clientWidth_ = 0, clientHeight_ = 0;
  bool closed_ = false;
};

// The toolkit as the program uses it: forms shown, modal loops, posted messages, the cursor,
// system colours and the pictures compiled into the program.
class Gui {
 public:
  virtual ~Gui() = default;
  // The application's title: the task-bar caption and the hidden application window's text.
  virtual void SetTitle(const std::string& title) = 0;
  // Runs OnShow, then shows the form.
  virtual void ShowForm(Form& form) = 0;
  virtual void HideForm(Form& form) = 0;
  // Runs OnShow, shows the form with every other form of the program disabled, and returns
  // when it closes or the application is told to terminate.
  virtual void ShowModal(Form& form) = 0;
  // Processes messages until the application is told to terminate.
  virtual void RunMessageLoop() = 0;
  virtual void Terminate() = 0;
  virtual bool Terminated() const = 0;
  // Posts a private message to the form; it arrives through OnMessage from the message loop.
  virtual void Post(Form& form, uint32_t message) = 0;
  // Paints what is pending now.
  virtual void Update(Form& form) = 0;
  // Moves the keyboard focus to the control.
  virtual void Focus(Control& control) = 0;
  virtual Color SystemColor(Color color) = 0;  // resolves system colours to 0x00BBGGRR
  virtual void SetCursor(Cursor cursor) = 0;
  virtual bool LoadBitmapResource(const std::string& name, Bitmap& out) = 0;
  // Height of one line of text in the font, as a label sized to its text would be.
  virtual int TextHeight(const Font& font) = 0;
  virtual int TextWidth(const Font& font, const std::string& text) = 0;
};

}  // namespace plat::gui
