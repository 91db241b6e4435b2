#include "worktime/win32/Przypomnienie.h"

#include <mmsystem.h>

#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "platform/Platform.h"
#include "worktime/win32/Zwolnienie.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmPrzypomnienie";
constexpr int kKodOkna = KodOkna(Okno::Przypomnienie);

enum : int { idImgObrazek = 10, idLabKomunikat, idCmdAnuluj, idCmdPrzerwa, idCmdOk };

// Layout of the fixed client area 587 x 279 (design units): the picture on the left, the message
// on the right, the buttons under the message. "Ok" stands where "Przerwa" stands.
constexpr win::Box kObrazek{6, 13, 252, 252};
constexpr win::Box kKomunikat{262, 14, 319, 209};
constexpr int kPrzyciskY = 234, kPrzyciskW = 100, kPrzyciskH = 30;
constexpr int kPrawyX = 581 - kPrzyciskW;
constexpr int kLewyX = kPrawyX - 12 - kPrzyciskW;

}  // namespace

TfrmPrzypomnienie::TfrmPrzypomnienie(KontekstPrzypomnienia kontekst) : kontekst_(std::move(kontekst)) {
  FormCreate();
}

TfrmPrzypomnienie::~TfrmPrzypomnienie() {
  if (Hwnd()) DestroyWindow(Hwnd());
  if (bitmapa_) DeleteObject(bitmapa_);
}

void TfrmPrzypomnienie::FormCreate() {
  win::FormStyle styl;
  styl.face = L"Tahoma";
  styl.points = 9;
  styl.closeBox = false;  // a caption without a system menu: no caption buttons at all
  styl.extraExStyle = WS_EX_TOPMOST;
  // Centred on the monitor that has the mouse pointer.
  if (!CreateForm(kKlasa, "Przypomnienie", kSzerokosc, kWysokosc, nullptr, styl)) return;
  imgObrazek_ = AddControl(L"STATIC", "imgObrazek", "", kObrazek, WS_VISIBLE | SS_OWNERDRAW, 0, idImgObrazek).Hwnd();
  labKomunikat_ = AddControl(L"STATIC", "labKomunikat", "", kKomunikat, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                             idLabKomunikat).Hwnd();
  // 20 pixels at 96 dpi, as the fixed layout needs; more on a monitor of more DPI.
  win::SetFont(labKomunikat_, win::FormFont(L"Tahoma", 15, Dpi()));
  const win::Box lewy{kLewyX, kPrzyciskY, kPrzyciskW, kPrzyciskH}, prawy{kPrawyX, kPrzyciskY, kPrzyciskW, kPrzyciskH};
  cmdAnuluj_ = AddButton("cmdAnuluj", "Anuluj", lewy, [this] { cmdAnulujClick(); }, idCmdAnuluj).Hwnd();
  cmdPrzerwa_ = AddButton("cmdPrzerwa", "Przerwa", prawy, [this] { cmdPrzerwaClick(); }, idCmdPrzerwa, true).Hwnd();
  cmdOk_ = AddButton("cmdOk", "Ok", prawy, [this] { cmdOkClick(); }, idCmdOk, true).Hwnd();
  // Esc, once the person has clicked the window: what closes it without a break.
  SetClickHandler(IDCANCEL, [this] {
    if (anuluj_) cmdAnulujClick();
    else cmdOkClick();
  });
}

void TfrmPrzypomnienie::Pokaz(const TrescPrzypomnienia& tresc) {
  if (!Hwnd()) return;
  {
    // The store lives only while its picture is copied.
    TfrmObrazki obrazki;
    if (bitmapa_) DeleteObject(bitmapa_);
    bitmapa_ = obrazki.Kopia(tresc.obrazek);
    obrazek_ = bitmapa_ ? tresc.obrazek : Obrazek::Brak;
  }
  InvalidateRect(imgObrazek_, nullptr, TRUE);
  ShowWindow(cmdAnuluj_, tresc.anuluj ? SW_SHOW : SW_HIDE);
  ShowWindow(cmdPrzerwa_, tresc.przerwa ? SW_SHOW : SW_HIDE);
  ShowWindow(cmdOk_, tresc.ok ? SW_SHOW : SW_HIDE);
  anuluj_ = tresc.anuluj;
  win::SetText(labKomunikat_, tresc.komunikat);
  // Above everything, but the keyboard stays where the person is typing: the button takes the
  // focus only when a click activates the window.
  SetRememberedFocus(tresc.przerwa ? cmdPrzerwa_ : tresc.ok ? cmdOk_ : cmdAnuluj_);
  SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT TfrmPrzypomnienie::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ACTIVATE) return KeepFocusOnActivate(wp);
  return Form::HandleMessage(msg, wp, lp);
}

void TfrmPrzypomnienie::Zwolnij() {
  // The main window frees us a moment later; until then the window is only out of sight, and a
  // second press cannot post a second release.
  if (zwolnione_) return;
  zwolnione_ = true;
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
  WyslijZwolnienie(kontekst_.glowne, kKodOkna);
}

void TfrmPrzypomnienie::cmdOkClick() { Zwolnij(); }
void TfrmPrzypomnienie::cmdAnulujClick() { Zwolnij(); }

void TfrmPrzypomnienie::cmdPrzerwaClick() {
  if (zwolnione_) return;
  if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);  // not left above the break screen
  if (kontekst_.rozpocznijPrzerwe) kontekst_.rozpocznijPrzerwe();
  Zwolnij();
}

bool TfrmPrzypomnienie::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.CtlID != idImgObrazek) return false;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (!bitmapa_) return true;
  HDC mem = CreateCompatibleDC(d.hDC);
  HGDIOBJ stary = SelectObject(mem, bitmapa_);
  SetStretchBltMode(d.hDC, HALFTONE);
  StretchBlt(d.hDC, d.rcItem.left, d.rcItem.top, d.rcItem.right - d.rcItem.left, d.rcItem.bottom - d.rcItem.top, mem,
             0, 0, TfrmObrazki::kRozmiar, TfrmObrazki::kRozmiar, SRCCOPY);
  SelectObject(mem, stary);
  DeleteDC(mem);
  return true;
}

bool PokazPrzypomnienie(std::unique_ptr<TfrmPrzypomnienie>& okno, TrybPrzypomnienia tryb, int32_t sekundy,
                        const KontekstPrzypomnienia& kontekst, const Losowanie& losuj) {
  if (okno) return false;
  okno = std::make_unique<TfrmPrzypomnienie>(kontekst);
  okno->Pokaz(UlozPrzypomnienie(tryb, sekundy, platform::Time().Now(), losuj));
  return true;
}

bool OdtworzDzwiek(const std::string& plik) {
  if (plik.empty() || !platform::Fs().FileExists(plik)) return false;
  // No default beep instead of a file that is not a sound.
  PlaySoundW(win::Widen(plik).c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
  return true;
}
