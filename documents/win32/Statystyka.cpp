#include "documents/win32/Statystyka.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "common/win32/Win32Dialogs.h"
#include "documents/Modem.h"
#include "settings/win32/Pomoc.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"
#include "settings/Rejestr.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmStatystyka";
constexpr int kDomyslnaW = 760, kDomyslnaH = 560, kMinW = 600, kMinH = 470;
constexpr int kMinPanel = 130;
constexpr int kDzielnik = 5;
constexpr int kWysokoscPozycji = 16;

enum : int {
  idZkaladki = 10,
  idChtCzasPracy, idLabCzasPracy, idChbDziennie, idCmdKopiujCzasPracy, idCmdCzasPracyDoTylu, idCmdCzasPracyDoPrzodu,
  idCmdPoprzedniMiesiac, idLabMiesiacRok, idCmdNastepnyMiesiac, idGrdMiesiac,
  idChtMiesiecznie, idLabCzasPracyMiesiecznie, idChbMiesiecznie, idCmdMiesiaceCopy, idCmdMiesiecznieDoTylu,
  idCmdMiesiecznieDoPrzodu,
  idChtDokumenty, idPodpis1, idPodpis2, idPodpis3, idLabDokument, idLabCzasDzialania, idLabOstatniZapis,
  idCmdDokumentyDoTylu, idCmdDokumentyDoPrzodu, idPanDokumenty, idChlMonitorowaneDokumenty, idCmdWszystkie,
  idCmdPomoc, idCmdZamknij,
  idMnuGradient = 200,  // + 0, 1, 2
};

const char* const kStrony[] = {"Czas pracy - dziennie", "Czas pracy - grafik", "Czas pracy - miesięcznie",
                               "Dokumnety"};

bool Konczy(const std::string& s, const std::string& k) {
  return s.size() >= k.size() && s.compare(s.size() - k.size(), k.size(), k) == 0;
}

std::string DataSystemowa(double data) {
  const datetime::Parts p = datetime::Decode(data);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(p.year);
  st.wMonth = static_cast<WORD>(p.month);
  st.wDay = static_cast<WORD>(p.day);
  wchar_t buf[64] = {};
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 64);
  return n > 0 ? win::Narrow(buf, n - 1) : statystyka::DataKrotka(data);
}

std::string SeparatorDziesietny() {
  wchar_t buf[8] = {};
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
  return n > 1 ? win::Narrow(buf, n - 1) : ",";
}

LRESULT CALLBACK PodklasaKontrolki(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* form = reinterpret_cast<TfrmStatystyka*>(ref);
  const std::string nazwa = win::ControlName(h);
  if (nazwa == "chlMonitorowaneDokumenty") {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
      const LRESULT r = SendMessageW(h, LB_ITEMFROMPOINT, 0, lp);
      const int i = LOWORD(r);
      const LRESULT wynik = DefSubclassProc(h, msg, wp, lp);
      if (HIWORD(r) == 0 && (GET_X_LPARAM(lp) < kWysokoscPozycji || msg == WM_LBUTTONDBLCLK))
        form->PrzelaczZaznaczenie(i);
      return wynik;
    }
    if (msg == WM_KEYDOWN && wp == VK_SPACE) {
      const int i = static_cast<int>(SendMessageW(h, LB_GETCURSEL, 0, 0));
      if (i >= 0) form->PrzelaczZaznaczenie(i);
      return 0;
    }
    return DefSubclassProc(h, msg, wp, lp);
  }
  // Scroll buttons: held down they scroll until released.
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    const LRESULT r = DefSubclassProc(h, msg, wp, lp);
    form->PrzyciskWcisniety(nazwa);
    return r;
  }
  if (msg == WM_LBUTTONUP) {
    // The button reports its click inside this call; that click must not scroll again.
    const LRESULT r = DefSubclassProc(h, msg, wp, lp);
    form->PrzyciskZwolniony(true);
    return r;
  }
  if (msg == WM_CAPTURECHANGED || msg == WM_KILLFOCUS) form->PrzyciskZwolniony(false);
  return DefSubclassProc(h, msg, wp, lp);
}

// Hover texts change on every move of the mouse: set only what differs.
void UstawTekst(HWND etykieta, const std::string& tekst) {
  if (win::GetText(etykieta) != tekst) win::SetText(etykieta, tekst);
}

}  // namespace

// One page of the notebook: a plain window above the notebook holding the page's controls. It
// paints the page colour and hands its controls' notifications and the mouse to the form.
class TStronaStatystyki : public win::Window {
 public:
  TStronaStatystyki(HWND form, int numer) {
    RegisterFormClass(L"TStronaStatystyki", 0, nullptr);
    Create(L"TStronaStatystyki", "", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 0, 10, 10,
           form, 100 + numer);
    win::SetControlName(Hwnd(), "Strona" + std::to_string(numer));
    win::SetFont(Hwnd(), reinterpret_cast<HFONT>(SendMessageW(form, WM_GETFONT, 0, 0)));
  }
  ~TStronaStatystyki() override {
    if (Hwnd()) win::DestroyControl(Hwnd());
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    HWND form = GetParent(Hwnd());
    switch (msg) {
      case WM_ERASEBKGND: {
        // Under the controls only where a group box leaves its inside to the page.
        const HDC dc = reinterpret_cast<HDC>(wp);
        for (HWND c = GetWindow(Hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          if (!IsWindowVisible(c)) continue;
          wchar_t klasa[16] = {};
          GetClassNameW(c, klasa, 16);
          if (lstrcmpiW(klasa, L"Button") == 0 && (GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            continue;
          RECT cr{};
          GetWindowRect(c, &cr);
          MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&cr), 2);
          ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
        }
        RECT r{};
        GetClientRect(Hwnd(), &r);
        auto tlo = reinterpret_cast<HBRUSH>(SendMessageW(form, WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(Hwnd())));
        FillRect(reinterpret_cast<HDC>(wp), &r, tlo ? tlo : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN: case WM_SETCURSOR:
        return SendMessageW(form, msg, wp, lp);
      case WM_LBUTTONDOWN: case WM_MOUSEMOVE: case WM_LBUTTONUP: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        MapWindowPoints(Hwnd(), form, &p, 1);
        return SendMessageW(form, msg, wp, MAKELPARAM(p.x, p.y));
      }
    }
    return Default(msg, wp, lp);
  }
};

TfrmStatystyka::TfrmStatystyka(ZrodloStatystyki zrodlo) : zrodlo_(std::move(zrodlo)) { FormCreate(); }

TfrmStatystyka::~TfrmStatystyka() {
  if (Hwnd()) DestroyWindow(Hwnd());
  for (HMENU m : menu_)
    if (m) DestroyMenu(m);
  if (font_) DeleteObject(font_);
  if (tloStrony_) DeleteObject(tloStrony_);
  if (fontNaglowka_) DeleteObject(fontNaglowka_);
}

HWND TfrmStatystyka::Strona(int strona) const {
  return strona >= 0 && strona < 4 && strony_okna_[strona] ? strony_okna_[strona]->Hwnd() : Hwnd();
}

HWND TfrmStatystyka::Przycisk(const std::string& nazwa, int id, const std::string& podpis, int strona) {
  HWND h = win::CreateChild(Strona(strona), L"BUTTON", nazwa, id, podpis, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                            10, 10);
  if (strona >= 0) strony_[strona].push_back(h);
  return h;
}

HWND TfrmStatystyka::Etykieta(const std::string& nazwa, int id, const std::string& tekst, int strona, DWORD styl) {
  HWND h = win::CreateChild(Strona(strona), L"STATIC", nazwa, id, tekst,
                            WS_VISIBLE | styl | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 0, 10, 10);
  if (strona >= 0) strony_[strona].push_back(h);
  return h;
}

void TfrmStatystyka::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterFormClass(kKlasa);
  HWND h = Create(kKlasa, "Statystyka", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                  WS_EX_CONTEXTHELP | WS_EX_DLGMODALFRAME, CW_USEDEFAULT, CW_USEDEFAULT, kDomyslnaW, kDomyslnaH);
  if (!h) return;
  font_ = win::CreateFontPt(L"Tahoma", 8, false, false, false, 96);
  win::SetFont(h, font_);
  win::CenterOnScreen(h);
  separator_ = SeparatorDziesietny();

  // Data, in the order the pages need it.
  PrzepiszPlikArchiwum();
  miesiace_ = GrupujMiesiace(dni_);
  statystyka::ZostawNajnowsze(miesiace_, statystyka::kMaxMiesiecy);
  cenaGrosz_ = RejReadInteger(wartosc::CenaPolaczeniaModemowego, 2318) * 0.01;
  miesiac_ = statystyka::PierwszyDzien(zrodlo_.dzis);

  Zkaladki_ = win::CreateChild(h, WC_TABCONTROLW, "Zkaladki", idZkaladki, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                               0, 0, 10, 10);
  for (int i = 0; i < 4; ++i) {
    std::wstring t = win::Widen(kStrony[i]);
    TCITEMW it{};
    it.mask = TCIF_TEXT;
    it.pszText = t.data();
    SendMessageW(Zkaladki_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&it));
  }

  for (int i = 0; i < 4; ++i) strony_okna_[i] = std::make_unique<TStronaStatystyki>(h, i);
  for (int i = 0; i < 3; ++i) {
    menu_[i] = CreatePopupMenu();
    AppendMenuW(menu_[i], MF_STRING | MF_CHECKED, idMnuGradient + i, L"Gradient");
  }

  // Page 0: work time per day.
  chtCzasPracy_ = std::make_unique<TWykres>(Strona(0), "chtCzasPracy", idChtCzasPracy);
  chtCzasPracy_->naRuchMyszy = [this](int s, int p) { chtCzasPracyMouseMove(s, p); };
  strony_[0].push_back(chtCzasPracy_->Hwnd());
  labCzasPracy_ = Etykieta("labCzasPracy", idLabCzasPracy, "", 0);
  chbDziennie_ = win::CreateChild(Strona(0), L"BUTTON", "chbPolaczeniaModemoweDziennie", idChbDziennie,
                                  "Wyświetlanie połączeń modemowych", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                  10, 10);
  strony_[0].push_back(chbDziennie_);
  cmdKopiujCzasPracy_ = Przycisk("cmdKopiujCzasPracy", idCmdKopiujCzasPracy, "Kopiuj", 0);
  cmdCzasPracyDoTylu_ = Przycisk("cmdCzasPracyDoTylu", idCmdCzasPracyDoTylu, "Do tyłu", 0);
  cmdCzasPracyDoPrzodu_ = Przycisk("cmdCzasPracyDoPrzodu", idCmdCzasPracyDoPrzodu, "Do Przodu", 0);

  // Page 1: the month grid.
  cmdPoprzedniMiesiac_ = Przycisk("cmdPoprzedniMiesiac", idCmdPoprzedniMiesiac, "<< Poprzedni", 1);
  labMiesiacRok_ = Etykieta("labMiesiacRok", idLabMiesiacRok, "", 1, SS_CENTER | SS_CENTERIMAGE);
  fontNaglowka_ = win::CreateFontPt(L"Tahoma", 10, true, false, false, 96);
  win::SetFont(labMiesiacRok_, fontNaglowka_);
  cmdNastepnyMiesiac_ = Przycisk("cmdNastepnyMiesiac", idCmdNastepnyMiesiac, "Następny >>", 1);
  grdMiesiac_ = win::CreateChild(Strona(1), L"STATIC", "grdMiesiac", idGrdMiesiac, "", WS_VISIBLE | SS_OWNERDRAW, 0, 0,
                                 10, 10);
  strony_[1].push_back(grdMiesiac_);

  // Page 2: work time per month.
  chtMiesiecznie_ = std::make_unique<TWykres>(Strona(2), "chtCzasPracyMiesiecznie", idChtMiesiecznie);
  chtMiesiecznie_->PozwolPowiekszanie(true);
  chtMiesiecznie_->naRuchMyszy = [this](int s, int p) { chtCzasPracyMiesiecznieMouseMove(s, p); };
  strony_[2].push_back(chtMiesiecznie_->Hwnd());
  labCzasPracyMiesiecznie_ = Etykieta("labCzasPracyMiesiecznie", idLabCzasPracyMiesiecznie, "", 2);
  chbMiesiecznie_ = win::CreateChild(Strona(2), L"BUTTON", "chbPolaczeniaModemoweMiesiecznie", idChbMiesiecznie,
                                     "Wyświetlanie połączeń modemowych", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                     10, 10);
  strony_[2].push_back(chbMiesiecznie_);
  cmdMiesiaceCopy_ = Przycisk("cmdMiesiaceCopyToClipboard", idCmdMiesiaceCopy, "Kopiuj", 2);
  cmdMiesiecznieDoTylu_ = Przycisk("cmdMiesiecznieDoTylu", idCmdMiesiecznieDoTylu, "Do Tyłu", 2);
  cmdMiesiecznieDoPrzodu_ = Przycisk("cmdMiesiecznieDoPrzodu", idCmdMiesiecznieDoPrzodu, "Do Przodu", 2);

  // Page 3: documents.
  chtDokumenty_ = std::make_unique<TWykres>(Strona(3), "chtDokumenty", idChtDokumenty);
  chtDokumenty_->naRuchMyszy = [this](int s, int p) { chtDokumentyMouseMove(s, p); };
  strony_[3].push_back(chtDokumenty_->Hwnd());
  const char* podpisy[] = {"Dokument:", "Czas dział.:", "Ost. zap.:"};
  for (int i = 0; i < 3; ++i) podpisy_[i] = Etykieta("labPodpis" + std::to_string(i + 1), idPodpis1 + i, podpisy[i], 3);
  labDokument_ = Etykieta("labDokument", idLabDokument, "", 3);
  labCzasDzialania_ = Etykieta("labCzasDzialania", idLabCzasDzialania, "", 3);
  labOstatniZapis_ = Etykieta("labOstatniZapis", idLabOstatniZapis, "", 3);
  cmdDokumentyDoTylu_ = Przycisk("cmdDokumentyDoTylu", idCmdDokumentyDoTylu, "Do tyłu", 3);
  cmdDokumentyDoPrzodu_ = Przycisk("cmdDokumentyDoPrzodu", idCmdDokumentyDoPrzodu, "Do Przodu", 3);
  panDokumenty_ = win::CreateChild(Strona(3), L"BUTTON", "panDokumenty", idPanDokumenty, "Monitorowane dokumenty: ",
                                   WS_VISIBLE | BS_GROUPBOX, 0, 0, 10, 10);
  strony_[3].push_back(panDokumenty_);
  chlMonitorowaneDokumenty_ =
      win::CreateChild(Strona(3), L"LISTBOX", "chlMonitorowaneDokumenty", idChlMonitorowaneDokumenty, "",
                       WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       0, 0, 10, 10, WS_EX_CLIENTEDGE);
  strony_[3].push_back(chlMonitorowaneDokumenty_);
  cmdWszystkie_ = Przycisk("cmdWszystkie", idCmdWszystkie, "Zaznacz/Odznacz", 3);

  // The pages lie over the notebook, which must stay below them.
  SetWindowPos(Zkaladki_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  cmdPomoc_ = Przycisk("cmdPomoc", idCmdPomoc, "Pomoc", -1);
  cmdZamknij_ = Przycisk("cmdZamknij", idCmdZamknij, "Zamknij", -1);
  ShowWindow(cmdPomoc_, SW_SHOW);
  ShowWindow(cmdZamknij_, SW_SHOW);

  for (HWND b : {cmdCzasPracyDoTylu_, cmdCzasPracyDoPrzodu_, cmdMiesiecznieDoTylu_, cmdMiesiecznieDoPrzodu_,
                 cmdDokumentyDoTylu_, cmdDokumentyDoPrzodu_, chlMonitorowaneDokumenty_})
    SetWindowSubclass(b, PodklasaKontrolki, 1, reinterpret_cast<DWORD_PTR>(this));

  // Hints of the copy buttons.
  podpowiedz_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, h, nullptr, win::Instance(), nullptr);
  for (HWND b : {cmdKopiujCzasPracy_, cmdMiesiaceCopy_}) {
    std::wstring t = win::Widen("Kopiuj wykres do schowka");
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = h;
    ti.uId = reinterpret_cast<UINT_PTR>(b);
    ti.lpszText = t.data();
    SendMessageW(podpowiedz_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }

  // Pages, in the order of their data.
  BudujWykresDzienny();
  WczytajCzasyPracyDlaMiesiaca();
  BudujWykresMiesieczny();
  lista_ = statystyka::ListaDokumentow(zrodlo_.dokumenty);
  for (const auto& p : lista_)
    SendMessageW(chlMonitorowaneDokumenty_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(p.tekst).c_str()));
  BudujWykresDokumentow();

  for (int s = 0; s < 4; ++s) {
    SetWindowContextHelpId(Strona(s), statystyka::KontekstPomocy(s));
    for (HWND c : strony_[s]) SetWindowContextHelpId(c, statystyka::KontekstPomocy(s));
  }
  SetTimer(h, kTimerId, kOkresTimera, nullptr);
  Rozmiesc();
  PokazStrone();
}

void TfrmStatystyka::PrzepiszPlikArchiwum() {
  // Connections of the modem log reach the archive first, so past days show their connections and
  // today's live entry today's.
  const std::string& plik = zrodlo_.plikArchiwum;
  dni_ = ::PrzepiszPlikArchiwum(plik, zrodlo_.dzis, zrodlo_.dzisSekundy, [&] {
    return UaktualnijArchiwumOPolaczeniaModemowe(plik, zrodlo_.dzis, zrodlo_.godzinaPrzelaczenia);
  });
  archiwumWczytane_ = !dni_.empty();  // a missing file has been reported
  statystyka::ZostawNajnowsze(dni_, statystyka::kMaxDni);
}

void TfrmStatystyka::WczytajCzasyPracyDlaMiesiaca() {
  komorki_ = ::WczytajCzasyPracyDlaMiesiaca(zrodlo_.plikArchiwum, miesiac_, zrodlo_.dzis, zrodlo_.dzisSekundy,
                                            archiwumWczytane_);
  UstawTekst(labMiesiacRok_, statystyka::NaglowekMiesiaca(miesiac_));
  if (Hwnd()) Rozmiesc();
  InvalidateRect(grdMiesiac_, nullptr, FALSE);
}

void TfrmStatystyka::BudujWykresDzienny() {
  const bool pol = Button_GetCheck(chbDziennie_) == BST_CHECKED;
  auto s = statystyka::SeriaDzienna(dni_, zrodlo_.limitSekund, pol, DataSystemowa);
  wykres::Dane d = statystyka::WykresDzienny();
  d.gradient = chtCzasPracy_->Gradient();
  d.serie = {s.praca, s.polaczenia};
  chtCzasPracy_->UstawDane(d);
}

void TfrmStatystyka::BudujWykresMiesieczny() {
  const bool pol = Button_GetCheck(chbMiesiecznie_) == BST_CHECKED;
  auto s = statystyka::SeriaMiesieczna(miesiace_, pol);
  wykres::Dane d = statystyka::WykresMiesieczny();
  d.gradient = chtMiesiecznie_->Gradient();
  d.serie = {s.praca, s.polaczenia};
  chtMiesiecznie_->UstawDane(d);
}

void TfrmStatystyka::BudujWykresDokumentow() {
  wykres::Dane d = statystyka::WykresDokumentow();
  d.gradient = chtDokumenty_->Gradient();
  statystyka::UstawWykresDokumentow(d, lista_, zrodlo_.dokumenty);
  chtDokumenty_->UstawDane(d);
}

void TfrmStatystyka::chbPolaczeniaModemoweDziennieClick() {
  const bool zaznaczone = Button_GetCheck(chbDziennie_) == BST_CHECKED;
  if (zaznaczone) BudujWykresDzienny();
  chtCzasPracy_->UstawAktywnosc(1, zaznaczone);
}

void TfrmStatystyka::chbPolaczeniaModemoweMiesiecznieClick() {
  const bool zaznaczone = Button_GetCheck(chbMiesiecznie_) == BST_CHECKED;
  if (zaznaczone) BudujWykresMiesieczny();
  chtMiesiecznie_->UstawAktywnosc(1, zaznaczone);
}

void TfrmStatystyka::cmdPoprzedniMiesiacClick() {
  miesiac_ = statystyka::PoprzedniMiesiac(miesiac_);
  WczytajCzasyPracyDlaMiesiaca();
}

void TfrmStatystyka::cmdNastepnyMiesiacClick() {
  miesiac_ = statystyka::NastepnyMiesiac(miesiac_);
  WczytajCzasyPracyDlaMiesiaca();
}

void TfrmStatystyka::UstawZaznaczenie(int pozycja, bool zaznaczona) {
  if (pozycja < 0 || pozycja >= static_cast<int>(lista_.size())) return;
  lista_[pozycja].zaznaczona = zaznaczona;
  RECT r{};
  if (SendMessageW(chlMonitorowaneDokumenty_, LB_GETITEMRECT, pozycja, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(chlMonitorowaneDokumenty_, &r, FALSE);
  BudujWykresDokumentow();
}

void TfrmStatystyka::PrzelaczZaznaczenie(int pozycja) {
  if (pozycja >= 0 && pozycja < static_cast<int>(lista_.size())) UstawZaznaczenie(pozycja, !lista_[pozycja].zaznaczona);
}

void TfrmStatystyka::cmdWszystkieClick() {
  statystyka::ZaznaczWszystkie(lista_);
  InvalidateRect(chlMonitorowaneDokumenty_, nullptr, FALSE);
  BudujWykresDokumentow();
}

void TfrmStatystyka::cmdPomocClick() {
  const int strona = static_cast<int>(SendMessageW(Zkaladki_, TCM_GETCURSEL, 0, 0));
  const int kontekst = statystyka::KontekstPomocy(strona);
  if (kontekst == 0) {
    PokazBlad("TfrmStatystyka.cmdPomocClick", "Nierozpoznana zakładka");
    return;
  }
  kontekstPomocy_ = kontekst;
  OtworzPomoc(FolderZeSciezki(ApplicationHelpFile()), kontekst);
}

void TfrmStatystyka::cmdZamknijClick() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmStatystyka::chtCzasPracyMouseMove(int seria, int punkt) {
  std::string tekst;
  const wykres::Dane& d = chtCzasPracy_->Dane();
  if (seria == 0 && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    tekst = statystyka::TekstPracyDnia(d.serie[0].punkty[punkt].etykieta, d.serie[0].punkty[punkt].wartosc);
  } else if (seria == 1) {
    const int i = statystyka::DzienPolaczenia(dni_, punkt);
    if (i < 0) {
      PokazBlad("TfrmStatystyka.chtCzasPracyMouseMove", "Nie znaleziono danych połączenia modemowego dla podanego dnia");
      return;
    }
    tekst = statystyka::TekstPolaczenia(dni_[i].ConnectionSeconds, dni_[i].ConnectionCount, dni_[i].ChargeUnits,
                                        cenaGrosz_, separator_);
  }
  UstawTekst(labCzasPracy_, tekst);
}

void TfrmStatystyka::chtCzasPracyMiesiecznieMouseMove(int seria, int punkt) {
  std::string tekst;
  const wykres::Dane& d = chtMiesiecznie_->Dane();
  if (seria == 0 && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    tekst = statystyka::TekstPracyMiesiaca(d.serie[0].punkty[punkt].etykieta, d.serie[0].punkty[punkt].wartosc);
  } else if (seria == 1) {
    const int i = statystyka::MiesiacPolaczenia(miesiace_, punkt);
    if (i < 0) {
      PokazBlad("TfrmStatystyka.chtCzasPracyMiesiecznieMouseMove",
                "Nie znaleziono danych połączenia modemowego dla podanego dnia");
      return;
    }
    tekst = statystyka::TekstPolaczenia(miesiace_[i].ConnectionSeconds, miesiace_[i].ConnectionCount,
                                        miesiace_[i].ChargeUnits, cenaGrosz_, separator_);
  }
  UstawTekst(labCzasPracyMiesiecznie_, tekst);
}

void TfrmStatystyka::chtDokumentyMouseMove(int seria, int punkt) {
  std::string nazwa, czas, zapis;
  const wykres::Dane& d = chtDokumenty_->Dane();
  if (seria == 0 && punkt >= 0 && punkt < static_cast<int>(d.serie[0].punkty.size())) {
    const int i = std::stoi(d.serie[0].punkty[punkt].etykieta);
    if (i >= 0 && i < static_cast<int>(zrodlo_.dokumenty.size())) {
      const DocumentRecord& r = zrodlo_.dokumenty[i];
      nazwa = r.Name;
      czas = FormatDuration(r.Seconds, 0);
      zapis = r.LastSeen > 0 ? DataSystemowa(r.LastSeen) : "";
    }
  }
  UstawTekst(labDokument_, nazwa);
  UstawTekst(labCzasDzialania_, czas);
  UstawTekst(labOstatniZapis_, zapis);
}

TWykres* TfrmStatystyka::Wykres(int i) {
  return i == 0 ? chtCzasPracy_.get() : i == 1 ? chtMiesiecznie_.get() : chtDokumenty_.get();
}

void TfrmStatystyka::PrzyciskWcisniety(const std::string& nazwa) {
  przytrzymany_ = nazwa;
  klikMysza_ = true;
  TimerTimer();  // a short click moves too
}

void TfrmStatystyka::PrzyciskZwolniony(bool koniecKlikniecia) {
  przytrzymany_.clear();
  if (koniecKlikniecia) klikMysza_ = false;
}

void TfrmStatystyka::TimerTimer() {
  if (przytrzymany_.empty()) return;
  TWykres* w = nullptr;
  if (przytrzymany_.rfind("cmdCzasPracy", 0) == 0) w = chtCzasPracy_.get();
  else if (przytrzymany_.rfind("cmdMiesiecznie", 0) == 0) w = chtMiesiecznie_.get();
  else if (przytrzymany_.rfind("cmdDokumenty", 0) == 0) w = chtDokumenty_.get();
  if (!w) return;
  if (Konczy(przytrzymany_, "DoPrzodu")) w->Przesun(2);
  else if (Konczy(przytrzymany_, "DoTylu")) w->Przesun(-2);
  UpdateWindow(w->Hwnd());
}

void TfrmStatystyka::mnuGradientClick(int menu) {
  if (menu < 0 || menu > 2) return;
  const bool stan = !(GetMenuState(menu_[menu], idMnuGradient + menu, MF_BYCOMMAND) & MF_CHECKED);
  CheckMenuItem(menu_[menu], idMnuGradient + menu, MF_BYCOMMAND | (stan ? MF_CHECKED : MF_UNCHECKED));
  Wykres(menu)->UstawGradient(stan);
}

bool TfrmStatystyka::KopiujWykres(int wykres) { return Wykres(wykres == 0 ? 0 : 1)->KopiujDoSchowka(); }

void TfrmStatystyka::UstawStrone(int strona) {
  strona_ = statystyka::PoprawnaStrona(strona);
  SendMessageW(Zkaladki_, TCM_SETCURSEL, strona_, 0);
  PokazStrone();
}

void TfrmStatystyka::PokazStrone() {
  strona_ = statystyka::PoprawnaStrona(static_cast<int>(SendMessageW(Zkaladki_, TCM_GETCURSEL, 0, 0)));
  for (int s = 0; s < 4; ++s) ShowWindow(strony_okna_[s]->Hwnd(), s == strona_ ? SW_SHOW : SW_HIDE);
}

void TfrmStatystyka::Rozmiesc() {
  if (!cmdZamknij_) return;  // sized while being created, before its controls exist
  RECT k{};
  GetClientRect(Hwnd(), &k);
  const int W = k.right, H = k.bottom;
  const int m = 6, bw = 85, bh = 25;
  MoveWindow(cmdZamknij_, W - m - bw, H - m - bh, bw, bh, TRUE);
  MoveWindow(cmdPomoc_, W - 2 * m - 2 * bw, H - m - bh, bw, bh, TRUE);
  const int tabB = H - 2 * m - bh;
  MoveWindow(Zkaladki_, m, m, W - 2 * m, tabB - m, TRUE);
  RECT a{m, m, W - m, tabB};
  SendMessageW(Zkaladki_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&a));
  for (auto& s : strony_okna_) MoveWindow(s->Hwnd(), a.left, a.top, a.right - a.left, a.bottom - a.top, TRUE);
  const POINT poczatek{a.left, a.top};
  a = {4, 4, a.right - a.left - 4, a.bottom - a.top - 4};  // within a page
  const int aw = a.right - a.left;

  // Pages 0 and 2: chart, hover label, check box, copy and scroll buttons.
  auto wykresowa = [&](TWykres* w, HWND lab, HWND chb, HWND kopiuj, HWND tyl, HWND przod) {
    MoveWindow(w->Hwnd(), a.left, a.top, aw, a.bottom - a.top - 60, TRUE);
    MoveWindow(lab, a.left, a.bottom - 54, aw, 18, TRUE);
    MoveWindow(chb, a.left, a.bottom - bh, 230, bh, TRUE);
    MoveWindow(kopiuj, a.left + 236, a.bottom - bh, 70, bh, TRUE);
    MoveWindow(przod, a.right - bw, a.bottom - bh, bw, bh, TRUE);
    MoveWindow(tyl, a.right - 2 * bw - m, a.bottom - bh, bw, bh, TRUE);
  };
  wykresowa(chtCzasPracy_.get(), labCzasPracy_, chbDziennie_, cmdKopiujCzasPracy_, cmdCzasPracyDoTylu_,
            cmdCzasPracyDoPrzodu_);
  wykresowa(chtMiesiecznie_.get(), labCzasPracyMiesiecznie_, chbMiesiecznie_, cmdMiesiaceCopy_,
            cmdMiesiecznieDoTylu_, cmdMiesiecznieDoPrzodu_);

  // Page 1: navigation above the grid, both centred.
  const int gw = 7 * statystyka::kSzerokoscKomorki + 8;
  const int gh = MonthGrid::kWysokoscNaglowka + 6 * komorki_.rowHeight + 8;
  const int gx = std::max<int>(a.left, a.left + (aw - gw) / 2);
  const int cx = a.left + aw / 2;
  MoveWindow(cmdPoprzedniMiesiac_, cx - 120 - 110, a.top + 4, 110, bh, TRUE);
  MoveWindow(labMiesiacRok_, cx - 115, a.top + 4, 230, bh, TRUE);
  MoveWindow(cmdNastepnyMiesiac_, cx + 120, a.top + 4, 110, bh, TRUE);
  MoveWindow(grdMiesiac_, gx, a.top + 38, std::min(gw, aw), gh, TRUE);

  // Page 3: chart and labels left, the splitter, the document panel right.
  szerokoscPanelu_ = std::clamp(szerokoscPanelu_, kMinPanel, std::max(kMinPanel, aw - 300));
  const int pl = a.right - szerokoscPanelu_;
  dzielnik_ = {poczatek.x + pl - kDzielnik, poczatek.y + a.top, poczatek.x + pl, poczatek.y + a.bottom};
  const int lw = pl - kDzielnik - a.left;
  MoveWindow(chtDokumenty_->Hwnd(), a.left, a.top, lw, a.bottom - a.top - 80, TRUE);
  for (int i = 0; i < 3; ++i) {
    const int y = a.bottom - 74 + i * 22;
    MoveWindow(podpisy_[i], a.left, y, 76, 18, TRUE);
    // The last row shares its line with the scroll buttons; a date fits beside them.
    const int w = i < 2 ? lw - 80 : lw - 80 - 2 * bw - 2 * m;
    MoveWindow(i == 0 ? labDokument_ : i == 1 ? labCzasDzialania_ : labOstatniZapis_, a.left + 80, y,
               std::max(10, w), 18, TRUE);
  }
  MoveWindow(cmdDokumentyDoPrzodu_, a.left + lw - bw, a.bottom - bh, bw, bh, TRUE);
  MoveWindow(cmdDokumentyDoTylu_, a.left + lw - 2 * bw - m, a.bottom - bh, bw, bh, TRUE);
  MoveWindow(panDokumenty_, pl, a.top, szerokoscPanelu_, a.bottom - a.top, TRUE);
  MoveWindow(chlMonitorowaneDokumenty_, pl + 8, a.top + 20, szerokoscPanelu_ - 16, a.bottom - a.top - 20 - bh - 16,
             TRUE);
  MoveWindow(cmdWszystkie_, pl + 8, a.bottom - bh - 8, szerokoscPanelu_ - 16, bh, TRUE);
}

COLORREF TfrmStatystyka::KolorStrony() {
  // The notebook paints its page into a bitmap; the colour in the middle of the page is the one.
  RECT r{};
  GetClientRect(Zkaladki_, &r);
  if (r.right < 40 || r.bottom < 60) return GetSysColor(COLOR_BTNFACE);
  HDC ekran = GetDC(Zkaladki_);
  HDC mem = CreateCompatibleDC(ekran);
  HBITMAP bmp = CreateCompatibleBitmap(ekran, r.right, r.bottom);
  HGDIOBJ stara = SelectObject(mem, bmp);
  FillRect(mem, &r, GetSysColorBrush(COLOR_BTNFACE));
  SendMessageW(Zkaladki_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
  const COLORREF k = GetPixel(mem, r.right / 2, r.bottom - 12);
  SelectObject(mem, stara);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(Zkaladki_, ekran);
  return k == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : k;
}

void TfrmStatystyka::RysujSiatke(HDC dc) {
  RECT r{};
  GetClientRect(grdMiesiac_, &r);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<int>(1, r.right), std::max<int>(1, r.bottom));
  HGDIOBJ stara = SelectObject(mem, bmp);
  FillRect(mem, &r, GetSysColorBrush(COLOR_BTNFACE));
  // Grid lines: the cells leave one pixel between them.
  const int gw = 7 * statystyka::kSzerokoscKomorki + 8;
  const int gh = MonthGrid::kWysokoscNaglowka + 6 * komorki_.rowHeight + 8;
  RECT siatka{0, 0, gw, gh};
  HBRUSH linie = CreateSolidBrush(RGB(160, 160, 160));
  FillRect(mem, &siatka, linie);
  DeleteObject(linie);
  HFONT f = win::CreateFontPt(L"Arial", 8, false, false, false, GetDeviceCaps(dc, LOGPIXELSY));
  HGDIOBJ staraF = SelectObject(mem, f);
  SIZE s{};
  GetTextExtentPoint32W(mem, L"991", 3, &s);
  SelectObject(mem, staraF);
  DeleteObject(f);
  const int limitGodzin = zrodlo_.limitSekund / 60 / 60;
  for (int w = 0; w < 7; ++w) {
    const int t = w == 0 ? 1 : 1 + MonthGrid::kWysokoscNaglowka + 1 + (w - 1) * (komorki_.rowHeight + 1);
    const int b = t + (w == 0 ? MonthGrid::kWysokoscNaglowka : komorki_.rowHeight);
    for (int c = 0; c < 7; ++c) {
      const int l = 1 + c * (statystyka::kSzerokoscKomorki + 1);
      RysujOperacje(mem, statystyka::RysujKomorke(c, w, l, t, l + statystyka::kSzerokoscKomorki, b, komorki_,
                                                  limitGodzin, s.cx),
                    L"Arial");
    }
  }
  BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
  SelectObject(mem, stara);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void TfrmStatystyka::RysujPozycje(const DRAWITEMSTRUCT& di) {
  if (di.itemID == static_cast<UINT>(-1) || di.itemID >= lista_.size()) {
    FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
    return;
  }
  const statystyka::PozycjaDokumentu& p = lista_[di.itemID];
  RECT r = di.rcItem;
  FillRect(di.hDC, &r, GetSysColorBrush(COLOR_WINDOW));
  const int h = r.bottom - r.top;
  RECT pole{r.left + 1, r.top + 1, r.left + h - 1, r.bottom - 1};
  DrawFrameControl(di.hDC, &pole, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (p.zaznaczona ? DFCS_CHECKED : 0));
  const int l = r.left + h + 2;
  RECT probka{l + 2, r.top + 2, l + h - 2, r.bottom - 2};
  const wykres::Kolor k = statystyka::KolorDokumentu(p.kolor);
  HBRUSH b = CreateSolidBrush(RGB(k.r, k.g, k.b));
  FillRect(di.hDC, &probka, b);
  DeleteObject(b);
  FrameRect(di.hDC, &probka, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const std::wstring nazwa = win::Widen(p.tekst.size() > 3 ? p.tekst.substr(3) : "");
  RECT t{l + h + 1, r.top, r.right, r.bottom};
  const bool wybrana = (di.itemState & ODS_SELECTED) != 0;
  if (wybrana) {
    SIZE s{};
    GetTextExtentPoint32W(di.hDC, nazwa.c_str(), static_cast<int>(nazwa.size()), &s);
    RECT tlo{t.left - 1, t.top, std::min<LONG>(t.right, t.left + s.cx + 2), t.bottom};
    FillRect(di.hDC, &tlo, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  SetBkMode(di.hDC, TRANSPARENT);
  SetTextColor(di.hDC, GetSysColor(wybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(di.hDC, nazwa.c_str(), static_cast<int>(nazwa.size()), &t,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
}

void TfrmStatystyka::FormShow() {
  RECT r{};
  GetWindowRect(Hwnd(), &r);
  WindowPosition teraz;
  teraz.left = r.left;
  teraz.top = r.top;
  teraz.width = r.right - r.left;
  teraz.height = r.bottom - r.top;
  const StatisticsOptions o = WczytajOpcjeStatystyki(WindowPositionText(teraz));
  opcjeWczytane_ = true;

  std::vector<statystyka::Prostokat> monitory;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT m, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<statystyka::Prostokat>*>(lp)->push_back({m->left, m->top, m->right, m->bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitory));
  RECT obszar{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &obszar, 0);
  const WindowPosition p = statystyka::PozycjaOkna(WindowPositionFromText(o.pozycja), monitory,
                                                   {obszar.left, obszar.top, obszar.right, obszar.bottom}, kDomyslnaW,
                                                   kDomyslnaH, kMinW, kMinH);
  if (p.maximized) ShowWindow(Hwnd(), SW_MAXIMIZE);
  else SetWindowPos(Hwnd(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);

  const bool gradienty[] = {o.gradientDziennie, o.gradientMiesiecznie, o.gradientDokumenty};
  for (int i = 0; i < 3; ++i) {
    CheckMenuItem(menu_[i], idMnuGradient + i, MF_BYCOMMAND | (gradienty[i] ? MF_CHECKED : MF_UNCHECKED));
    Wykres(i)->UstawGradient(gradienty[i]);
  }
  Button_SetCheck(chbDziennie_, o.polaczeniaDziennie ? BST_CHECKED : BST_UNCHECKED);
  chbPolaczeniaModemoweDziennieClick();
  Button_SetCheck(chbMiesiecznie_, o.polaczeniaMiesiecznie ? BST_CHECKED : BST_UNCHECKED);
  chbPolaczeniaModemoweMiesiecznieClick();
  szerokoscPanelu_ = o.szerokoscPanelu;
  Rozmiesc();
  UstawStrone(o.strona);
}

int TfrmStatystyka::Pokaz(HWND wlasciciel) {
  if (!Hwnd()) return 0;
  FormShow();
  return ShowModal(wlasciciel);
}

void TfrmStatystyka::FormDestroy() {
  KillTimer(Hwnd(), kTimerId);
  if (!opcjeWczytane_) return;  // never shown: nothing of the user's to keep
  StatisticsOptions o;
  o.strona = strona_;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(Hwnd(), &wp);
  WindowPosition p;
  if (wp.showCmd == SW_SHOWMAXIMIZED) {
    p.maximized = true;
  } else {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    p.left = r.left;
    p.top = r.top;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
  }
  o.pozycja = WindowPositionText(p);
  auto zaznaczony = [](HMENU m, int id) { return (GetMenuState(m, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  o.gradientDziennie = zaznaczony(menu_[0], idMnuGradient);
  o.gradientMiesiecznie = zaznaczony(menu_[1], idMnuGradient + 1);
  o.gradientDokumenty = zaznaczony(menu_[2], idMnuGradient + 2);
  o.polaczeniaDziennie = Button_GetCheck(chbDziennie_) == BST_CHECKED;
  o.polaczeniaMiesiecznie = Button_GetCheck(chbMiesiecznie_) == BST_CHECKED;
  o.szerokoscPanelu = szerokoscPanelu_;
  ZapiszOpcjeStatystyki(o);
}

LRESULT TfrmStatystyka::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int kod = HIWORD(wp);
      if (id >= idMnuGradient && id < idMnuGradient + 3 && kod == 0) {
        mnuGradientClick(id - idMnuGradient);
        return 0;
      }
      if (id == IDCANCEL) {
        cmdZamknijClick();
        return 0;
      }
      if (kod != BN_CLICKED) break;
      switch (id) {
        case idChbDziennie: chbPolaczeniaModemoweDziennieClick(); return 0;
        case idChbMiesiecznie: chbPolaczeniaModemoweMiesiecznieClick(); return 0;
        case idCmdKopiujCzasPracy: KopiujWykres(0); return 0;
        case idCmdMiesiaceCopy: KopiujWykres(1); return 0;
        case idCmdPoprzedniMiesiac: cmdPoprzedniMiesiacClick(); return 0;
        case idCmdNastepnyMiesiac: cmdNastepnyMiesiacClick(); return 0;
        case idCmdWszystkie: cmdWszystkieClick(); return 0;
        case idCmdPomoc: cmdPomocClick(); return 0;
        case idCmdZamknij: cmdZamknijClick(); return 0;
        case idCmdCzasPracyDoTylu: case idCmdCzasPracyDoPrzodu: case idCmdMiesiecznieDoTylu:
        case idCmdMiesiecznieDoPrzodu: case idCmdDokumentyDoTylu: case idCmdDokumentyDoPrzodu:
          // From the keyboard one step; a mouse press has already scrolled.
          if (!klikMysza_) {
            przytrzymany_ = win::ControlName(reinterpret_cast<HWND>(lp));
            TimerTimer();
            przytrzymany_.clear();
          }
          return 0;
        default: break;
      }
      break;
    }
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMHDR*>(lp);
      if (n->hwndFrom == Zkaladki_ && n->code == TCN_SELCHANGE) {
        PokazStrone();
        return 0;
      }
      break;
    }
    case WM_CONTEXTMENU: {
      // The chart under the pointer (the notification may come through its page).
      const HWND h = reinterpret_cast<HWND>(wp);
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      for (int i = 0; i < 3; ++i) {
        HWND w = Wykres(i)->Hwnd();
        RECT r{};
        GetWindowRect(w, &r);
        const bool zKlawiatury = p.x == -1 && p.y == -1;
        if (!IsWindowVisible(w) || (zKlawiatury ? h != w : !PtInRect(&r, p))) continue;
        if (zKlawiatury) p = {r.left + 8, r.top + 8};
        TrackPopupMenu(menu_[i], TPM_RIGHTBUTTON, p.x, p.y, 0, Hwnd(), nullptr);
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Controls on a page take the notebook's page colour (white under a theme).
      if (!tloStrony_) {
        const COLORREF k = KolorStrony();
        tloStrony_ = CreateSolidBrush(k);
        kolorStrony_ = k;
      }
      SetBkColor(reinterpret_cast<HDC>(wp), kolorStrony_);
      return reinterpret_cast<LRESULT>(tloStrony_);
    }
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      if (tloStrony_) DeleteObject(tloStrony_);
      tloStrony_ = nullptr;
      break;
    case WM_TIMER:
      if (wp == kTimerId) {
        TimerTimer();
        return 0;
      }
      break;
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (mi->CtlID == idChlMonitorowaneDokumenty) {
        mi->itemHeight = kWysokoscPozycji;
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (di->CtlID == idGrdMiesiac) {
        RysujSiatke(di->hDC);
        return TRUE;
      }
      if (di->CtlID == idChlMonitorowaneDokumenty) {
        RysujPozycje(*di);
        return TRUE;
      }
      break;
    }
    case WM_SIZE:
      Rozmiesc();
      InvalidateRect(Hwnd(), nullptr, TRUE);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize = {kMinW, kMinH};
      return 0;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == Strona(3) && LOWORD(lp) == HTCLIENT && strona_ == 3) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(Hwnd(), &p);
        if (PtInRect(&dzielnik_, p)) {
          SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (strona_ == 3 && PtInRect(&dzielnik_, p)) {
        dzieli_ = true;
        SetCapture(Hwnd());
        return 0;
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (dzieli_) {
        RECT k{};
        GetClientRect(Hwnd(), &k);
        szerokoscPanelu_ = k.right - 10 - GET_X_LPARAM(lp);
        Rozmiesc();
        return 0;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dzieli_) {
        dzieli_ = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
        return 0;
      }
      break;
    case WM_HELP: {
      const auto* hi = reinterpret_cast<const HELPINFO*>(lp);
      if (hi->dwContextId) OtworzPomoc(FolderZeSciezki(ApplicationHelpFile()), static_cast<int>(hi->dwContextId));
      return TRUE;
    }
    case WM_DESTROY:
      FormDestroy();
      break;
  }
  return Default(msg, wp, lp);
}

void PokazStatystyke(HWND wlasciciel, ZrodloStatystyki zrodlo) {
  TfrmStatystyka okno(std::move(zrodlo));
  okno.Pokaz(wlasciciel);
}
