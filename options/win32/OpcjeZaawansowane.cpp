#include "options/win32/OpcjeZaawansowane.h"

#include <windows.h>
#include <commctrl.h>

#include "options/Opcje.h"
#include "options/win32/Opcje.h"
#include "worktime/InfoSaver.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmOpcjeZaawansowane";
enum : int { idMonitorowanie = 10, idZapisywanie, idGodzina, idPrzerwa };
constexpr int kSzerokosc = 470, kWysokosc = 330;

int S(int v) {
  static const int dpi = win::ScreenDpi();
  return win::Scale(v, dpi);
}

HWND Etykieta(HWND okno, const std::string& nazwa, const std::string& tekst, int x, int y, int w, int h,
              DWORD styl = SS_LEFT) {
  return win::CreateChild(okno, L"STATIC", nazwa, 0, tekst, WS_VISIBLE | SS_NOPREFIX | styl, S(x), S(y), S(w), S(h));
}

HWND Suwak(HWND okno, const std::string& nazwa, int id, int x, int y, int min, int max, int pozycja) {
  HWND s = win::CreateChild(okno, TRACKBAR_CLASSW, nazwa, id, "", WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS,
                            S(x), S(y), S(400), S(28));
  SendMessageW(s, TBM_SETRANGE, FALSE, MAKELPARAM(min, max));
  SendMessageW(s, TBM_SETPAGESIZE, 0, 1);
  SendMessageW(s, TBM_SETPOS, TRUE, pozycja);
  return s;
}

// Tick labels under a slider, one per position.
void Skala(HWND okno, HWND suwak, const std::vector<std::string>& napisy, int y) {
  RECT kanal{}, kciuk{}, r{};
  SendMessageW(suwak, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&kanal));
  SendMessageW(suwak, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&kciuk));
  GetWindowRect(suwak, &r);
  MapWindowPoints(nullptr, okno, reinterpret_cast<POINT*>(&r), 2);
  const int polowa = (kciuk.right - kciuk.left) / 2;
  const int od = kanal.left + polowa, doo = kanal.right - polowa;
  const int n = static_cast<int>(napisy.size());
  for (int i = 0; i < n; ++i) {
    const int x = r.left + od + (doo - od) * i / (n - 1);
    const bool ostatni = i == n - 1;
    // The last label carries the unit, so it starts at its tick and runs to the right.
    win::CreateChild(okno, L"STATIC", "", 0, napisy[i], WS_VISIBLE | (ostatni ? SS_LEFT : SS_CENTER),
                     ostatni ? x - S(8) : x - S(20), S(y), ostatni ? S(60) : S(40), S(14));
  }
}

HWND Licznik(HWND okno, const std::string& nazwa, int id, int x, int y, int min, int max, int wartosc) {
  HWND pole = win::CreateChild(okno, L"EDIT", nazwa, id, std::to_string(wartosc),
                               WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, S(x), S(y), S(56), S(21),
                               WS_EX_CLIENTEDGE);
  HWND ud = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                            0, 0, 0, 0, okno, nullptr, win::Instance(), nullptr);
  SendMessageW(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pole), 0);
  SendMessageW(ud, UDM_SETRANGE32, min, max);
  SendMessageW(ud, UDM_SETPOS32, 0, wartosc);
  win::SetControlName(ud, nazwa + "Strzalki");
  return pole;
}

}  // namespace

TfrmOpcjeZaawansowane::TfrmOpcjeZaawansowane(TInfoSaver& infoSaver, std::function<void()> poZapisie)
    : infoSaver_(infoSaver), poZapisie_(std::move(poZapisie)) {
  FormCreate();
}

TfrmOpcjeZaawansowane::~TfrmOpcjeZaawansowane() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

void TfrmOpcjeZaawansowane::FormCreate() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  RegisterFormClass(kKlasa);
  if (!Create(kKlasa, "Opcje zaawansowane", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100))
    return;
  HWND h = Hwnd();
  win::SetFont(h, TfrmOpcje::Czcionka());
  win::SetClientSize(h, S(kSzerokosc), S(kWysokosc));
  win::CenterOnScreen(h);

  kopia_ = infoSaver_.DajLimity();
  poczatkowe_ = PolozeniaZaawansowaneZLimitow(kopia_);
  Etykieta(h, "labMonitorowanie", "Częstotliwość monitorowania:", 12, 10, 200, 15);
  Etykieta(h, "labCzestotliwoscMonitorowania", "", 212, 10, 240, 15);
  HWND m = Suwak(h, "suwCzestotliwoscMonitorowania", idMonitorowanie, 8, 28, 0, kMaxPozycjaMonitorowania,
                 poczatkowe_.monitorowanie);
  Skala(h, m, {"1", "2", "4", "8", "16", "32", "64", "128", "256", "512 sek."}, 58);
  Etykieta(h, "labZapisywanie", "Częstotliwość zapisywania:", 12, 86, 300, 15);
  HWND z = Suwak(h, "suwCzestotliwoscZapisywania", idZapisywanie, 8, 104, kMinPozycjaZapisywania,
                 kMaxPozycjaZapisywania, poczatkowe_.zapisywanie);
  Skala(h, z, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11 min."}, 134);
  Etykieta(h, "labGodzinaPrzelaczenia",
           "Godzina nad ranem, po której następuje przełączenia na następny dzień", 12, 166, 370, 30);
  Licznik(h, "spnGodzinaPrzelaczenia", idGodzina, 396, 168, kMinGodzinaPrzelaczenia, kMaxGodzinaPrzelaczenia,
          poczatkowe_.godzina);
  Etykieta(h, "labPrzerwaAwaryjna",
           "Maksymalna przerwa  (w minutach) w pracy komputera (wynikła np. z zawieszenia systemu), która nie "
           "powoduje wyzerowania liczonego czasu nieprzerwanej pracy",
           12, 206, 370, 44);
  Licznik(h, "spnPrzerwaAwaryjna", idPrzerwa, 396, 212, kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna,
          poczatkowe_.przerwaMinuty);
  win::CreateChild(h, L"STATIC", "", 0, "", WS_VISIBLE | SS_ETCHEDHORZ, S(8), S(274), S(kSzerokosc - 16), 2);
  win::CreateChild(h, L"BUTTON", "cmdOk", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, S(kSzerokosc - 188),
                   S(288), S(84), S(26));
  win::CreateChild(h, L"BUTTON", "cmdAnuluj", IDCANCEL, "Anuluj", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                   S(kSzerokosc - 96), S(288), S(84), S(26));
  // The stored frequency as it is (10 s shows as such, though the slider stands at 8).
  win::SetText(win::FindControl(h, "labCzestotliwoscMonitorowania"),
               TekstCzestotliwosci(kopia_.CzestotliwoscMonitorowania));
}

PolozeniaZaawansowane TfrmOpcjeZaawansowane::Polozenia() {
  HWND h = Hwnd();
  auto poz = [h](const char* n) { return static_cast<int>(SendMessageW(win::FindControl(h, n), TBM_GETPOS, 0, 0)); };
  auto licz = [h](const char* n, int min, int max, int poprzednia) {
    HWND pole = win::FindControl(h, n);
    const int v = LiczbaWZakresie(win::GetText(pole), Zakres{min, max}, poprzednia);
    win::SetText(pole, std::to_string(v));
    return v;
  };
  return {poz("suwCzestotliwoscMonitorowania"), poz("suwCzestotliwoscZapisywania"),
          licz("spnGodzinaPrzelaczenia", kMinGodzinaPrzelaczenia, kMaxGodzinaPrzelaczenia, poczatkowe_.godzina),
          licz("spnPrzerwaAwaryjna", kMinPrzerwaAwaryjna, kMaxPrzerwaAwaryjna, poczatkowe_.przerwaMinuty)};
}

void TfrmOpcjeZaawansowane::PokazCzestotliwosc() {
  const int p = static_cast<int>(SendMessageW(win::FindControl(Hwnd(), "suwCzestotliwoscMonitorowania"), TBM_GETPOS, 0, 0));
  kopia_.CzestotliwoscMonitorowania =
      p == poczatkowe_.monitorowanie ? infoSaver_.DajLimity().CzestotliwoscMonitorowania : SekundyMonitorowania(p);
  win::SetText(win::FindControl(Hwnd(), "labCzestotliwoscMonitorowania"),
               TekstCzestotliwosci(kopia_.CzestotliwoscMonitorowania));
}

int TfrmOpcjeZaawansowane::Pokaz(HWND wlasciciel) {
  if (!Hwnd()) return IDCANCEL;
  SetFocus(win::FindControl(Hwnd(), "suwCzestotliwoscMonitorowania"));
  return ShowModal(wlasciciel) == IDOK ? IDOK : IDCANCEL;
}

void TfrmOpcjeZaawansowane::cmdOkClick() {
  // Over the record as it is now: only the controls the user moved change their fields.
  infoSaver_.UstawLimity(ZastosujZaawansowane(infoSaver_.DajLimity(), poczatkowe_, Polozenia()));
  if (poZapisie_) poZapisie_();
  EndModal(IDOK);
}

LRESULT TfrmOpcjeZaawansowane::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK: cmdOkClick(); return 0;
        case IDCANCEL: EndModal(IDCANCEL); return 0;
      }
      break;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) == win::FindControl(Hwnd(), "suwCzestotliwoscMonitorowania")) PokazCzestotliwosc();
      return 0;
    case WM_CLOSE:
      EndModal(IDCANCEL);
      return 0;
  }
  return Default(msg, wp, lp);
}
