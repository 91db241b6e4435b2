#include "common/win32/Komunikat.h"

#include <shellapi.h>

#include <cmath>

#include "common/Komunika.h"
#include "common/win32/KomunikaIds.h"
#include "common/win32/Obrazki.h"
#include "common/win32/Win32Dialogs.h"
#include "platform/Platform.h"

namespace ids = komunika_ids;

namespace {

// Design sizes (pixels at 96 dpi).
constexpr int kClientWidth = 656;
constexpr int kClientHeight = 136;
constexpr RECT kObrazki{10, 12, 10 + 71, 12 + 91};
constexpr RECT kRamka{92, 12, 92 + 471, 12 + 111};
constexpr int kPisakWidth = 351;
constexpr int kPisakHeight = 81;
constexpr int kPisakInset = 16;  // from the frame's left edge, like the text of a message box
constexpr RECT kKlawisze{571, 12, 571 + 75, 12 + 58};
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

constexpr const wchar_t* kNotatnikClass = L"TNotebook";
constexpr const wchar_t* kRamkaClass = L"TBevel";

}  // namespace

LRESULT TfrmKomunikat::Notatnik::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
      return SendMessageW(GetParent(Hwnd()), msg, wp, lp);
  }
  return Default(msg, wp, lp);
}

LRESULT TfrmKomunikat::Ramka::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT r;
    GetClientRect(Hwnd(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    EndPaint(Hwnd(), &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return Default(msg, wp, lp);
}

TfrmKomunikat::TfrmKomunikat() { FormCreate(); }

TfrmKomunikat::~TfrmKomunikat() {
  Destroy();
  if (font_) DeleteObject(font_);
}

void TfrmKomunikat::FormCreate() {
  RegisterFormClass(kClassName);
  RegisterFormClass(kNotatnikClass);
  RegisterFormClass(kRamkaClass);
  dpi_ = win::ScreenDpi();
  auto S = [&](int v) { return win::Scale(v, dpi_); };
  font_ = win::CreateFontPt(L"MS Sans Serif", 8, false, false, false, dpi_);
  answer_ = OstatniaOdpowiedz();

  Create(kClassName, "Komunikat", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST |
                                                                              WS_EX_CONTROLPARENT,
         CW_USEDEFAULT, CW_USEDEFAULT, S(kClientWidth), S(kClientHeight));
  HWND h = Hwnd();
  if (!h) return;
  win::SetFont(h, font_);
  win::SetClientSize(h, S(kClientWidth), S(kClientHeight));

  strObrazki_ = win::CreateChild(h, L"STATIC", "strObrazki", ids::strObrazki, "", WS_VISIBLE | SS_OWNERDRAW,
                                 S(kObrazki.left), S(kObrazki.top), S(71), S(91));
  belRamka_.Create(kRamkaClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, S(kRamka.left), S(kRamka.top), S(471),
                   S(111), h, ids::belRamka);
  win::SetControlName(belRamka_.Hwnd(), "belRamka");
  pisKomunikat_.Create(h, "pisKomunikat", ids::pisKomunikat, S(kRamka.left + kPisakInset),
                       S(kRamka.top + (111 - kPisakHeight) / 2), S(kPisakWidth), S(kPisakHeight));
  // The painter stands in front of its frame.
  SetWindowPos(belRamka_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  strKlawisze_.Create(kNotatnikClass, "", WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT, S(kKlawisze.left),
                      S(kKlawisze.top), S(75), S(kKlawisze.bottom - kKlawisze.top), h, ids::strKlawisze);
  win::SetControlName(strKlawisze_.Hwnd(), "strKlawisze");
  win::SetFont(strKlawisze_.Hwnd(), font_);
  UstawObrazek(platform::rkInformacja);
  UstawKlawisze(platform::ButtonPage::Informacja);
  win::CenterOnScreen(h);
}

void TfrmKomunikat::UstawObrazek(platform::RodzajKomunikatu kind) {
  kind_ = kind;
  win::SetText(strObrazki_, StronaObrazka(kind));
  InvalidateRect(strObrazki_, nullptr, FALSE);
}

void TfrmKomunikat::UstawKlawisze(platform::ButtonPage page) {
  for (HWND b : buttons_) win::DestroyControl(b);
  buttons_.clear();
  page_ = KlawiszeStrony(page);
  HWND box = strKlawisze_.Hwnd();
  win::SetText(box, StronaKlawiszy(page));
  auto S = [&](int v) { return win::Scale(v, dpi_); };
  for (size_t i = 0; i < page_.size(); ++i) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND b = win::CreateChild(box, L"BUTTON", page_[i].name, ids::firstButton + static_cast<int>(i), page_[i].caption,
                              style, 0, S(static_cast<int>(i) * (kButtonHeight + kButtonGap)), S(75), S(kButtonHeight));
    if (!page_[i].closes && ApplicationHelpFile().empty()) EnableWindow(b, FALSE);  // no help file to open
    buttons_.push_back(b);
  }
  SetRememberedFocus(buttons_.empty() ? nullptr : buttons_.front());
}

void TfrmKomunikat::UstawTekst(const std::string& text) {
  pisKomunikat_.UstawTekst(text);
  // The painter lays out in screen pixels; the rule wants 96 dpi pixels. Rounding up keeps the
  // whole text inside f x h even where fonts do not scale linearly with the dpi.
  double f = dpi_ / 96.0;
  required_ = static_cast<int>(std::ceil(pisKomunikat_.WymaganaWysokosc() / f - 1e-9));
  heights_ = DopasujWysokosc(required_, f);
  auto S = [&](int v) { return win::Scale(v, dpi_); };
  int frameHeight = S(111), painterHeight = S(kPisakHeight);
  if (!heights_.projektowe) {
    frameHeight = heights_.ramka;
    painterHeight = heights_.pisak;
  }
  SetWindowPos(belRamka_.Hwnd(), nullptr, 0, 0, S(471), frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(pisKomunikat_.Hwnd(), nullptr, S(kRamka.left + kPisakInset),
               S(kRamka.top) + (frameHeight - painterHeight) / 2, S(kPisakWidth), painterHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (heights_.projektowe) {
    win::SetClientSize(Hwnd(), S(kClientWidth), S(kClientHeight));
  } else {
    RECT r;
    GetWindowRect(Hwnd(), &r);
    SetWindowPos(Hwnd(), nullptr, 0, 0, r.right - r.left, heights_.okno, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  win::CenterOnScreen(Hwnd());
}

platform::OdpowiedzKomunikatu TfrmKomunikat::Pokaz() {
  if (!Hwnd()) return answer_;
  ShowModal();
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

void TfrmKomunikat::PokazPomoc() {
  // The help is a set of HTML pages: the contents page opens in the user's browser.
  const std::string file = ApplicationHelpFile();
  if (file.empty() || !platform::Fs().FileExists(file)) return;
  ShellExecuteW(nullptr, L"open", win::Widen(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TfrmKomunikat::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wp);
      if (id >= ids::firstButton && id < ids::firstButton + static_cast<int>(page_.size())) {
        if (HIWORD(wp) == BN_CLICKED) KlawiszClick(static_cast<size_t>(id - ids::firstButton));
        if (HIWORD(wp) == BN_SETFOCUS)
          win::MarkDefaultButton(reinterpret_cast<HWND>(lp), buttons_.data(), buttons_.size());
        return 0;
      }
      if (id == IDCANCEL) {
        // Esc: the last button that closes (Nie, Anuluj, or the only Ok).
        for (size_t i = page_.size(); i-- > 0;)
          if (page_[i].closes) {
            KlawiszClick(i);
            break;
          }
        return 0;
      }
      if (id == IDOK) {
        KlawiszClick(0);
        return 0;
      }
      break;
    }
    case DM_GETDEFID: {
      // Enter presses the focused button, else the first one.
      HWND f = GetFocus();
      for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] == f) return MAKELRESULT(ids::firstButton + static_cast<int>(i), DC_HASDEFID);
      return MAKELRESULT(ids::firstButton, DC_HASDEFID);
    }
    case WM_ACTIVATE:
      return KeepFocusOnActivate(wp);
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (di->CtlID == static_cast<UINT>(ids::strObrazki)) {
        obrazki::RysujObrazek(di->hDC, di->rcItem, kind_, GetSysColor(COLOR_BTNFACE));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
      return 0;
  }
  return Default(msg, wp, lp);
}
