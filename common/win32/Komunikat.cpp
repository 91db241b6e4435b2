#include "common/win32/Komunikat.h"

#include <shellapi.h>

#include <cmath>

#include "common/Komunika.h"
#include "common/win32/Obrazki.h"
#include "common/win32/Win32Dialogs.h"
#include "platform/Platform.h"

namespace {

// Design sizes (pixels at 96 dpi).
constexpr int kClientWidth = 656;
constexpr int kClientHeight = 136;
constexpr win::Box kObrazki{10, 12, 71, 91};
constexpr win::Box kRamka{92, 12, 471, 111};
constexpr int kPisakWidth = 351;
constexpr int kPisakHeight = 81;
constexpr int kPisakInset = 16;  // from the frame's left edge, like the text of a message box
constexpr win::Box kKlawisze{571, 12, 75, 58};
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kFirstButton = 110;  // ids of the page's buttons, top to bottom

constexpr const wchar_t* kNotatnikClass = L"TNotebook";
constexpr const wchar_t* kRamkaClass = L"TBevel";

}  // namespace

bool TfrmKomunikat::Notatnik::Utworz(HWND dialog, const RECT& area) {
  if (!CreatePage(kNotatnikClass, dialog, area, "")) return false;
  win::SetControlName(Hwnd(), "strKlawisze");
  ShowWindow(Hwnd(), SW_SHOW);
  return true;
}

HWND TfrmKomunikat::Notatnik::Klawisz(const KlawiszKomunikatu& klawisz, int id, win::Box at, bool isDefault) {
  // BS_NOTIFY: the focus reports itself, so that the default frame can follow it.
  return AddControl(L"BUTTON", klawisz.name, klawisz.caption, at,
                    WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id)
      .Hwnd();
}

LRESULT TfrmKomunikat::Ramka::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return Window::HandleMessage(msg, wp, lp);
}

void TfrmKomunikat::Ramka::OnPaint(HDC dc, const RECT&) {
  RECT r;
  GetClientRect(Hwnd(), &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

TfrmKomunikat::TfrmKomunikat() { FormCreate(); }

TfrmKomunikat::~TfrmKomunikat() { Destroy(); }

void TfrmKomunikat::FormCreate() {
  answer_ = OstatniaOdpowiedz();
  win::FormStyle style;
  style.closeBox = false;
  style.extraExStyle = WS_EX_TOPMOST;
  if (!CreateForm(kClassName, "Komunikat", kClientWidth, kClientHeight, nullptr, style)) return;
  strObrazki_ = AddControl(L"STATIC", "strObrazki", "", kObrazki, WS_VISIBLE | SS_OWNERDRAW);
  RegisterFormClass(kRamkaClass);
  belRamka_.Create(kRamkaClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, S(kRamka.x), S(kRamka.y),
                   S(kRamka.width), S(kRamka.height), Hwnd());
  win::SetControlName(belRamka_.Hwnd(), "belRamka");
  pisKomunikat_.Create(Hwnd(), "pisKomunikat", 0, S(kRamka.x + kPisakInset),
                       S(kRamka.y + (kRamka.height - kPisakHeight) / 2), S(kPisakWidth), S(kPisakHeight));
  // The painter stands in front of its frame.
  SetWindowPos(belRamka_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  strKlawisze_.Utworz(Hwnd(), RECT{S(kKlawisze.x), S(kKlawisze.y), S(kKlawisze.x) + S(kKlawisze.width),
                                   S(kKlawisze.y) + S(kKlawisze.height)});
  SetClickHandler(IDOK, [this] { KlawiszClick(0); });
  SetClickHandler(IDCANCEL, [this] { Zrezygnuj(); });
  UstawObrazek(platform::rkInformacja);
  UstawKlawisze(platform::ButtonPage::Informacja);
}

void TfrmKomunikat::UstawObrazek(platform::RodzajKomunikatu kind) {
  kind_ = kind;
  strObrazki_.SetText(StronaObrazka(kind));
  InvalidateRect(strObrazki_.Hwnd(), nullptr, FALSE);
}

void TfrmKomunikat::UstawKlawisze(platform::ButtonPage page) {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int id = kFirstButton + static_cast<int>(i);
    SetCommandHandler(id, {});
    strKlawisze_.SetCommandHandler(id, {});
    win::DestroyControl(buttons_[i]);
  }
  buttons_.clear();
  page_ = KlawiszeStrony(page);
  win::SetText(strKlawisze_.Hwnd(), StronaKlawiszy(page));
  for (size_t i = 0; i < page_.size(); ++i) {
    const int id = kFirstButton + static_cast<int>(i);
    HWND b = strKlawisze_.Klawisz(page_[i], id, {0, static_cast<int>(i) * (kButtonHeight + kButtonGap), 75,
                                                kButtonHeight}, i == 0);
    if (!page_[i].closes && ApplicationHelpFile().empty()) EnableWindow(b, FALSE);  // no help file to open
    buttons_.push_back(b);
    // A click reaches the notebook, Enter reaches the dialog: both answer alike.
    auto handler = [this, i](int code) { KlawiszPowiadamia(i, code); };
    SetCommandHandler(id, handler);
    strKlawisze_.SetCommandHandler(id, handler);
  }
  SetRememberedFocus(buttons_.empty() ? nullptr : buttons_.front());
}

void TfrmKomunikat::UstawTekst(const std::string& text) {
  pisKomunikat_.UstawTekst(text);
  // The painter lays out in screen pixels; the rule wants 96 dpi pixels. Rounding up keeps the
  // whole text inside f x h even where fonts do not scale linearly with the dpi.
  double f = Dpi() / 96.0;
  required_ = static_cast<int>(std::ceil(pisKomunikat_.WymaganaWysokosc() / f - 1e-9));
  heights_ = DopasujWysokosc(required_, f);
  int frameHeight = S(kRamka.height), painterHeight = S(kPisakHeight);
  if (!heights_.projektowe) {
    frameHeight = heights_.ramka;
    painterHeight = heights_.pisak;
  }
  SetWindowPos(belRamka_.Hwnd(), nullptr, 0, 0, S(kRamka.width), frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(pisKomunikat_.Hwnd(), nullptr, S(kRamka.x + kPisakInset), S(kRamka.y) + (frameHeight - painterHeight) / 2,
               S(kPisakWidth), painterHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  if (heights_.projektowe) {
    win::SetClientSize(Hwnd(), S(kClientWidth), S(kClientHeight));
  } else {
    RECT r;
    GetWindowRect(Hwnd(), &r);
    SetWindowPos(Hwnd(), nullptr, 0, 0, r.right - r.left, heights_.okno, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  win::CenterOnMonitor(Hwnd());
}

platform::OdpowiedzKomunikatu TfrmKomunikat::Pokaz() {
  if (Hwnd()) RunModal(nullptr);
  return answer_;
}

void TfrmKomunikat::KlawiszClick(size_t index) {
  if (index >= page_.size()) return;
  if (!page_[index].closes) {
    PokazPomoc();
    return;
  }
  answer_ = page_[index].answer;
  EndModal(1);
}

void TfrmKomunikat::KlawiszPowiadamia(size_t index, int code) {
  if (code == BN_CLICKED) KlawiszClick(index);
  else if (code == BN_SETFOCUS && index < buttons_.size())
    win::MarkDefaultButton(buttons_[index], buttons_.data(), buttons_.size());
}

void TfrmKomunikat::Zrezygnuj() {
  for (size_t i = page_.size(); i-- > 0;)
    if (page_[i].closes) {
      KlawiszClick(i);
      return;
    }
}

void TfrmKomunikat::PokazPomoc() {
  // The help is a set of HTML pages: the contents page opens in the user's browser.
  const std::string file = ApplicationHelpFile();
  if (file.empty() || !platform::Fs().FileExists(file)) return;
  ShellExecuteW(nullptr, L"open", win::Widen(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TfrmKomunikat::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == DM_GETDEFID) {
    // Enter presses the focused button, else the first one.
    HWND f = GetFocus();
    for (size_t i = 0; i < buttons_.size(); ++i)
      if (buttons_[i] == f) return MAKELRESULT(kFirstButton + static_cast<int>(i), DC_HASDEFID);
    return MAKELRESULT(kFirstButton, DC_HASDEFID);
  }
  if (msg == WM_ACTIVATE) return KeepFocusOnActivate(wp);
  return Form::HandleMessage(msg, wp, lp);
}

bool TfrmKomunikat::OnClose() {
  Zrezygnuj();
  return true;
}

bool TfrmKomunikat::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.hwndItem != strObrazki_.Hwnd()) return false;
  obrazki::RysujObrazek(d.hDC, d.rcItem, kind_, GetSysColor(COLOR_BTNFACE));
  return true;
}

HBRUSH TfrmKomunikat::OnControlColor(HDC, HWND) { return GetSysColorBrush(COLOR_BTNFACE); }
