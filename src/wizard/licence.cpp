#include "wizard/licence.h"

#include <initializer_list>

namespace wizard {

using namespace plat::gui;

namespace {

// Clauses shared by the four agreements; {P} stands for the program's name in the
// instrumental-free form used in the clauses.
const char* const kClauses[] = {
    "§ 1. Postanowienia ogólne",
    "1. Niniejsza umowa określa warunki, na jakich Producent udziela Użytkownikowi licencji "
    "na korzystanie z {P}.",
    "2. Zainstalowanie lub użytkowanie oprogramowania oznacza przyjęcie warunków niniejszej "
    "umowy. Jeżeli Użytkownik nie akceptuje jej warunków, nie może instalować ani używać "
    "oprogramowania.",
    "",
    "§ 2. Zakres licencji",
    "1. Producent udziela Użytkownikowi niewyłącznej i nieprzenoszalnej licencji na "
    "użytkowanie {P} na jednym stanowisku komputerowym, chyba że dokument zakupu stanowi "
    "inaczej.",
    "2. Użytkownik może sporządzić jedną kopię zapasową oprogramowania wyłącznie na własny "
    "użytek.",
    "3. Zabrania się dekompilacji, deasemblacji oraz wprowadzania zmian w oprogramowaniu, z "
    "wyjątkiem przypadków dozwolonych przez bezwzględnie obowiązujące przepisy prawa.",
    "4. Zabrania się wynajmowania, wydzierżawiania i udostępniania oprogramowania osobom "
    "trzecim.",
    "",
    "§ 3. Prawa autorskie",
    "Oprogramowanie wraz z dokumentacją stanowi utwór chroniony ustawą o prawie autorskim i "
    "prawach pokrewnych. Wszelkie prawa, które nie zostały wyraźnie przyznane Użytkownikowi, "
    "pozostają przy Producencie.",
    "",
    "§ 4. Gwarancja i odpowiedzialność",
    "1. Producent zapewnia, że nośnik, na którym dostarczono oprogramowanie, jest wolny od wad "
    "materiałowych przez okres 90 dni od daty zakupu.",
    "2. Producent nie odpowiada za szkody wynikłe z użytkowania lub niemożności użytkowania "
    "oprogramowania, w tym za utratę danych i przerwy w pracy, w granicach dopuszczonych przez "
    "prawo.",
    "",
    "§ 5. Postanowienia końcowe",
    "1. Licencja wygasa w razie naruszenia przez Użytkownika warunków niniejszej umowy. Po "
    "wygaśnięciu licencji Użytkownik jest zobowiązany usunąć wszystkie kopie oprogramowania.",
    "2. W sprawach nieuregulowanych niniejszą umową mają zastosowanie przepisy Kodeksu "
    "cywilnego oraz ustawy o prawie autorskim i prawach pokrewnych.",
    "",
    "PRODUCENT",
    "",
};

std::vector<std::string> Agreement(const std::string& title, const std::string& program) {
  std::vector<std::string> lines{title, ""};
  for (std::string clause : kClauses) {
    const auto at = clause.find("{P}");
    if (at != std::string::npos) clause.replace(at, 3, program);
    lines.push_back(clause);
  }
  return lines;
}

Memo* StoreMemo(Form* form, const char* name, const std::vector<std::string>& lines) {
  Memo* memo = Make<Memo>(form, name);
  memo->SetParent(form);
  memo->SetVisible(false);
  memo->SetReadOnly(true);
  memo->SetLines(lines);
  return memo;
}

}  // namespace

TLicViewerForm::TLicViewerForm(Component* owner, std::string name, int agreementKind)
    : Form(owner, std::move(name)) {
  SetCaption("Norvik-Soft - Umowa Licencyjna");
  SetClientSize(520, 400);
  Memo1 = Make<Memo>(this, "Memo1");
  Memo1->SetParent(this);
  Memo1->SetBounds(8, 8, 504, 348);
  Memo1->SetReadOnly(true);
  Memo1->verticalScrollBar = true;
  MemoVortel = StoreMemo(
      this, "MemoVortel",
      Agreement("UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „VORTEL”", "emulatora terminala Vortel"));
  MemoFTPCli = StoreMemo(
      this, "MemoFTPCli",
      Agreement("UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTP”", "klienta FTP Norvik-FTP"));
  MemoFTPSrv = StoreMemo(this, "MemoFTPSrv",
                         Agreement("UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTPSrv”",
                                   "serwera FTP Norvik-FTPSrv"));
  MemoVortelPRO = StoreMemo(
      this, "MemoVortelPRO",
      Agreement("UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”",
                "programów pakietu Vortel PRO (emulatora terminala, klienta FTP, wsadowego "
                "klienta FTP i serwera FTP)"));
  MemoAddrNew = StoreMemo(this, "MemoAddrNew",
                          {"Norvik-Soft Sp. z o.o.", "ul. Wrzosowa 17", "02-796 Warszawa",
                           "e-mail: biuro@norvik-soft.pl", "http://www.norvik-soft.pl"});
  Button1 = Make<Button>(this, "Button1");
  Button1->SetParent(this);
  Button1->SetCaption("&Zamknij");
  Button1->SetBounds(437, 366, 75, 25);
  Button1->SetCancel(true);
  Button1->OnClick = [this] { Close(); };
  FormCreate(agreementKind);
}

void TLicViewerForm::FormCreate(int agreementKind) {
  Memo* agreement = agreementKind == 1   ? MemoVortel
                    : agreementKind == 2 ? MemoFTPCli
                    : agreementKind == 3 ? MemoFTPSrv
                                         : MemoVortelPRO;
  Memo1->SetLines(agreement->Lines());
  for (const auto& line : MemoAddrNew->Lines()) Memo1->Append(line);
}

std::vector<std::string> AgreementLines(int agreementKind) {
  TLicViewerForm viewer(nullptr, "LicViewerForm", agreementKind);
  return viewer.Memo1->Lines();
}

}  // namespace wizard
