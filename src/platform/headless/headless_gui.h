#pragma once
// The toolkit without windows: forms are shown and closed as state, posted messages wait in a
// queue until a test delivers them, and a modal showing runs a test's script instead of a loop.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gui.h"

namespace plat::headless {

class RecordingCanvas : public gui::Canvas {
 public:
  struct Fill {
    int left, top, right, bottom;
    gui::Color color;
  };
  std::vector<Fill> fills;
  void FillRect(int left, int top, int right, int bottom, gui::Color color) override {
    fills.push_back({left, top, right, bottom, color});
  }
};

class HeadlessGui : public gui::Gui {
 public:
  std::string title;
  std::vector<std::string> shownForms;  // names of the forms shown, in order
  std::vector<gui::Cursor> cursors;     // every cursor change, in order
  std::map<std::string, gui::Bitmap> bitmaps;
  gui::Color buttonFace = 0xC8D0D4;  // (212, 208, 200)
  // Runs while a form is shown modally, as the user's actions would; when it leaves the form
  // open, the showing ends as if the user had closed it without answering.
  std::function<void(gui::Form&)> whileModal;

  // Delivers the posted messages, in order, as the message loop would.
  void DeliverPosted();

  void SetTitle(const std::string& t) override { title = t; }
  void ShowForm(gui::Form& form) override;
  void HideForm(gui::Form& form) override { form.SetVisible(false); }
  void ShowModal(gui::Form& form) override;
  void RunMessageLoop() override { DeliverPosted(); }
  void Terminate() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }
  void Post(gui::Form& form, uint32_t message) override { posted_.push_back({&form, message}); }
  void Update(gui::Form&) override {}
  void Focus(gui::Control& control) override;
  gui::Color SystemColor(gui::Color color) override;
  void SetCursor(gui::Cursor cursor) override { cursors.push_back(cursor); }
  bool LoadBitmapResource(const std::string& name, gui::Bitmap& out) override;
  // The usual screen fonts' line height: the character height plus about a fifth of leading.
  int TextHeight(const gui::Font& font) override {
    const int h = font.height < 0 ? -font.height : font.height;
    return font.height < 0 ? (h * 6 + 2) / 5 : h;
  }
  // Half the character height per character: a fixed, predictable width for layout tests. A
  // character is one whatever its UTF-8 length, so Polish texts measure as their letters.
  int TextWidth(const gui::Font& font, const std::string& text) override {
    const int h = font.height < 0 ? -font.height : font.height;
    const auto lead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    return static_cast<int>(std::count_if(text.begin(), text.end(), lead)) * h / 2;
  }

 private:
  struct Posted {
    gui::Form* form;
    uint32_t message;
  };
  std::deque<Posted> posted_;
  bool terminated_ = false;
};

}  // namespace plat::headless
