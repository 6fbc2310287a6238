#include "platform/gui.h"

#include <algorithm>

namespace plat::gui {

int Font::Size() const {
  // Rounded half away from zero, as the toolkit's MulDiv does.
  const int h = height < 0 ? -height : height;
  return (h * 72 + kPixelsPerInch / 2) / kPixelsPerInch;
}

void Font::SetSize(int points) {
  height = -((points * kPixelsPerInch + 36) / 72);
}

bool Font::operator==(const Font& other) const {
  return name == other.name && height == other.height && style == other.style &&
         color == other.color && charset == other.charset;
}

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {}

Component::~Component() {
  // Owned components go in reverse creation order, so children leave before their parents.
  while (!owned_.empty()) {
    owned_.pop_back();
    ownedOrder_.pop_back();
  }
}

Component* Component::FindComponent(const std::string& name) const {
  for (Component* c : ownedOrder_) {
    if (c->Name() == name) return c;
    if (Component* inner = c->FindComponent(name)) return inner;
  }
  return nullptr;
}

Control::~Control() {
  realization.reset();
  SetParent(nullptr);
}

WinControl::~WinControl() {
  for (Control* child : children_) child->parent_ = nullptr;
}

void Control::SetParent(WinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
}

Form* Control::ParentForm() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<Form*>(const_cast<Control*>(c));
}

void Control::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, width, height};
  Notify(Prop::Bounds);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Prop::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Prop::Enabled);
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) return false;
    if (auto* page = dynamic_cast<const TabSheet*>(c)) {
      auto* pages = dynamic_cast<const PageControl*>(page->Parent());
      if (pages && pages->ActivePage() != page) return false;
    }
  }
  return true;
}

void Control::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(Prop::Caption);
}

void Control::SetFont(const Font& font) {
  font_ = font;
  parentFont_ = false;
  FontChanged();
  Notify(Prop::Font);
}

void Control::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  Notify(Prop::Font);
}

void Control::Click() {
  if (Showing() && OnClick) OnClick();
}

CustomLabel::CustomLabel(Component* owner, std::string name)
    : GraphicControl(owner, std::move(name)) {}

void Button::SetDefault(bool isDefault) {
  if (default_ == isDefault) return;
  default_ = isDefault;
  Notify(Prop::Default);
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(Prop::Checked);
  if (OnClick) OnClick();
}

void CheckBox::Click() {
  if (Showing()) SetChecked(!checked_);
}

void CustomEdit::SetText(const std::string& text) {
  if (Caption() == text) return;
  SetCaption(text);
  if (OnChange) OnChange();
}

void CustomEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  Notify(Prop::ReadOnly);
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  const std::string& text = Text();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  SetText(text);
}

void Memo::Append(const std::string& line) {
  SetText(Text() + line + "\r\n");
}

void CheckListBox::SetItems(const std::vector<std::string>& captions) {
  items_.clear();
  for (const auto& c : captions) items_.push_back({c});
  Notify(Prop::Items);
}

void CheckListBox::SetItemCaption(int index, const std::string& caption) {
  items_.at(index).caption = caption;
  Notify(Prop::Items);
}

void CheckListBox::SetChecked(int index, bool checked) {
  items_.at(index).checked = checked;
  Notify(Prop::Items);
}

void CheckListBox::SetItemEnabled(int index, bool enabled) {
  items_.at(index).enabled = enabled;
  Notify(Prop::Items);
}

void CheckListBox::SetItemIndex(int index) {
  itemIndex_ = index;
  Notify(Prop::Items);
}

void CheckListBox::UserToggle(int index) {
  if (!Showing() || index < 0 || index >= static_cast<int>(items_.size())) return;
  if (!items_[index].enabled) return;
  items_[index].checked = !items_[index].checked;
  Notify(Prop::Items);
  if (OnClickCheck) OnClickCheck();
}

void PageControl::SetActivePage(TabSheet* page) {
  if (active_ == page) return;
  active_ = page;
  Notify(Prop::ActivePage);
}

std::vector<TabSheet*> PageControl::Pages() const {
  std::vector<TabSheet*> pages;
  for (Control* c : Children())
    if (auto* page = dynamic_cast<TabSheet*>(c)) pages.push_back(page);
  return pages;
}

void Animate::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  Notify(Prop::Active);
}

void ProgressBar::SetPosition(int percent) {
  if (position_ == percent) return;
  position_ = percent;
  Notify(Prop::Position);
}

void Form::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  Notify(Prop::Bounds);
}

bool Form::Close() {
  if (OnCloseQuery && !OnCloseQuery()) return false;
  closed_ = true;
  Notify(Prop::Visible);
  return true;
}

}  // namespace plat::gui
