#include "worktime/win32/Przypomnienie.h"

#include <mmsystem.h>

#include "settings/Globalne.h"
#include "settings/Komunikaty.h"
#include "platform/Platform.h"
#include "common/win32/Form.h"
#include "worktime/win32/Zwolnienie.h"

namespace {

constexpr wchar_t kKlasa[] = L"TfrmPrzypomnienie";
constexpr int kKodOkna = KodOkna(Okno::Przypomnienie);

enum : int { idImgObrazek = 10, idLabKomunikat, idCmdAnuluj, idCmdPrzerwa, idCmdOk };

// Layout of the fixed client area 587 x 279: the picture on the left, the message on the right,
// the buttons under the message. "Ok" stands where "Przerwa" stands.
constexpr RECT kObrazek{6, 13, 6 + 252, 13 + 252};
constexpr RECT kKomunikat{262, 14, 262 + 319, 14 + 209};
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
  RegisterFormClass(kKlasa);
  // A dialog frame with a caption but no system menu: no caption buttons at all.
  const DWORD styl = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  const DWORD exStyl = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  RECT r{0, 0, kSzerokosc, kWysokosc};
  AdjustWindowRectEx(&r, styl, FALSE, exStyl);
  HWND h = Create(kKlasa, "Przypomnienie", styl, exStyl, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                  r.bottom - r.top);
  if (!h) return;
  win::SetFont(h, win::FormFont(L"Tahoma", 9, win::DpiOf(h)));

  imgObrazek_ = win::CreateChild(h, L"STATIC", "imgObrazek", idImgObrazek, "", WS_VISIBLE | SS_OWNERDRAW,
                                 kObrazek.left, kObrazek.top, 252, 252);
  labKomunikat_ = win::CreateChild(h, L"STATIC", "labKomunikat", idLabKomunikat, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                   kKomunikat.left, kKomunikat.top, 319, 209);
  win::SetFont(labKomunikat_, win::FormFont(L"Tahoma", 15, 96));  // 20 pixels, as the fixed layout needs

  const DWORD przycisk = WS_TABSTOP | BS_PUSHBUTTON;
  cmdAnuluj_ = win::CreateChild(h, L"BUTTON", "cmdAnuluj", idCmdAnuluj, "Anuluj", przycisk, kLewyX, kPrzyciskY,
                                kPrzyciskW, kPrzyciskH);
  cmdPrzerwa_ = win::CreateChild(h, L"BUTTON", "cmdPrzerwa", idCmdPrzerwa, "Przerwa", przycisk | BS_DEFPUSHBUTTON,
                                 kPrawyX, kPrzyciskY, kPrzyciskW, kPrzyciskH);
  cmdOk_ = win::CreateChild(h, L"BUTTON", "cmdOk", idCmdOk, "Ok", przycisk | BS_DEFPUSHBUTTON, kPrawyX, kPrzyciskY,
                            kPrzyciskW, kPrzyciskH);
  SetClickHandler(idCmdOk, [this] { cmdOkClick(); });
  SetClickHandler(idCmdAnuluj, [this] { cmdAnulujClick(); });
  SetClickHandler(idCmdPrzerwa, [this] { cmdPrzerwaClick(); });
  win::CenterOnScreen(h);
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
  win::SetText(labKomunikat_, tresc.komunikat);
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(tresc.przerwa ? cmdPrzerwa_ : tresc.ok ? cmdOk_ : cmdAnuluj_);
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
