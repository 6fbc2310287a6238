#include "startup/inst_back.h"

#include <cmath>

#include "platform/platform.h"

namespace startup {

using namespace plat::gui;

TInstForm::TInstForm(Component* owner, std::string name, std::vector<std::string> masteringArgs)
    : Form(owner, std::move(name)), masteringArgs_(std::move(masteringArgs)) {
  SetCaption("Instalator");
  borderStyle = BorderStyle::None;
  maximized = true;
  centered = false;
  SetClientSize(362, 189);
  Font font;
  font.name = "Times New Roman";
  font.height = -37;
  font.style = fsBold | fsItalic;
  font.color = clAqua;
  font.charset = kEastEuropeCharset;
  Label1 = Make<Label>(this, "Label1");
  Label1->SetParent(this);
  Label1->SetTransparent(true);
  Label1->SetFont(font);
  Label1->SetBounds(32, 24, 0, 0);
  font.height = -21;
  Label2 = Make<Label>(this, "Label2");
  Label2->SetParent(this);
  Label2->SetTransparent(true);
  Label2->SetFont(font);
  Label2->SetCaption("wersja: ");
  Label2->SetBounds(0, 40, 0, 0);
  OnShow = [this] { plat::Current().Ui().Post(*this, kStartMessage); };
  OnPaint = [this](Canvas& canvas) { FormPaint(canvas); };
  OnMessage = [this](uint32_t message) {
    if (message == kStartMessage) StartMessage();
  };
  FormCreate();
}

void TInstForm::FormCreate() {
  auto& gui = plat::Current().Ui();
  Label1->SetCaption("Vortel PRO");
  Label2->SetCaption("wersja: 3.04");
  // Labels size themselves to their text.
  for (Label* label : {Label1, Label2}) {
    label->SetBounds(label->Bounds().left, label->Bounds().top,
                     gui.TextWidth(label->GetFont(), label->Caption()),
                     gui.TextHeight(label->GetFont()));
  }
  Label2->SetBounds(Label1->Bounds().left + Label1->Width() + Label2->Height() / 2,
                    Label2->Bounds().top, Label2->Width(), Label2->Height());
}

Color TInstForm::BandColor(int i) {
  // Rounded half to even, as the original arithmetic rounds; 50 at the top, 253 at the bottom.
  const auto blue = static_cast<Color>(std::nearbyint((i * 205 + 5000) / 100.0));
  return blue << 16;
}

int TInstForm::BandTop(int clientHeight, int i) {
  return static_cast<int>(std::nearbyint(clientHeight * i / 100.0));
}

void TInstForm::FormPaint(Canvas& canvas) {
  for (int i = 0; i < 100; ++i) {
    canvas.FillRect(0, BandTop(ClientHeight(), i), ClientWidth(), BandTop(ClientHeight(), i + 1),
                    BandColor(i));
  }
}

void TInstForm::StartMessage() {
  auto& gui = plat::Current().Ui();
  try {
    gui.Update(*this);
    InstalatorForm =
        std::make_unique<wizard::TInstalatorForm>(nullptr, "InstalatorForm", masteringArgs_);
    InstalatorForm->ProgramGroup = ProgramGroup;
    InstalatorForm->Asked = Asked;
    gui.ShowModal(*InstalatorForm);
    gui.Update(*this);
  } catch (...) {
    gui.HideForm(*this);
    Close();
    gui.Terminate();
    throw;
  }
  gui.HideForm(*this);
  Close();
  gui.Terminate();
}

}  // namespace startup
