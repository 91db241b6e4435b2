#pragma once
// The clipboard-history window TfrmSchowek: created hidden at start-up, a clipboard format
// listener for the whole run, it collects every text copied while the history is active (except
// what its program marks as not to be kept) and pops up at the text caret to paste an earlier one
// into the window being typed in. Typing filters the list; Delete removes an item.
#include <windows.h>

#include <string>
#include <vector>

#include "clipboard/Schowek.h"
#include "common/win32/Controls.h"
#include "common/win32/Window.h"
#include "settings/Globalne.h"

class TfrmSchowek : public win::Window {
 public:
  TfrmSchowek() = default;
  ~TfrmSchowek() override;

  // Creates the hidden window, reads OpcjeSchowka and applies it, starts listening to the
  // clipboard and takes the text already on it.
  bool Utworz();
  // Window size, colours, font, buffer and the active flag; the items held are kept.
  void ZastosujOpcje(const OpcjeSchowka& opcje);
  // Remembers the windows and opens at the caret point (screen coordinates), newest selected,
  // without a search.
  void PokazSchowek(HWND focus, HWND topLevel, int x, int y);
  // Enter or a double click: the selected text goes to the clipboard, the window that had the
  // focus gets it back, and Ctrl+V is pressed there once the hotkey's keys are released.
  void Wklej();
  // Escape: hides, nothing pasted.
  void Ukryj();
  // Delete: the selected item leaves the history.
  void UsunZaznaczona();
  // Ctrl+Delete or the menu: after a question, every item goes.
  void WyczyscHistorie();
  // The search typed in the list; only the items that contain it are shown.
  void UstawSzukany(const std::wstring& szukany);

  // A text newly on the clipboard, as WM_CLIPBOARDUPDATE collects it (while the history is active).
  void DodajTekst(const std::string& tekst);

  const THistoriaSchowka& Historia() const { return historia_; }
  // The list, made when the history is first shown (nullptr before).
  HWND lstSchowek() const { return lista_.Hwnd(); }
  bool Aktywny() const { return aktywny_; }

  static constexpr int kIdMnuWklej = 301, kIdMnuUsun = 302, kIdMnuWyczysc = 303;

 protected:
  // The clipboard listener, the pop-up menu and the focus kept in the list, which no typed
  // handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  bool OnTimer(UINT_PTR id) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void ZbierzTekst();
  void UtworzListe();
  void OdswiezListe(int zaznacz = -1);
  void Uloz();
  void Zamknij(bool wklej);
  bool KlawiszListy(UINT msg, WPARAM wp, LRESULT& wynik);
  void PokazMenu(POINT p);
  // The history index of the selected list item, or -1.
  int Zaznaczona() const;
  // Gives the focus back to the window it was taken from.
  void PrzywrocFokus();

  THistoriaSchowka historia_;
  std::vector<size_t> widok_;  // history index of each list item
  std::wstring szukany_;
  win::ListBox lista_;
  win::Control labSzukaj_;
  HMENU menu_ = nullptr;
  bool sluchacz_ = false;  // a clipboard format listener
  bool aktywny_ = true;
  HWND fokus_ = nullptr;
  HWND glowneOkno_ = nullptr;
  int czekanieNaKlawisze_ = 0;  // timer ticks left before a paste waiting for released keys gives up
  HFONT font_ = nullptr;  // the user's font of the history (face, size and style of the options)
  HBRUSH tlo_ = nullptr;
  COLORREF kolorTekstu_ = 0;
  COLORREF kolorTla_ = RGB(255, 255, 255);
};

// Text on the clipboard as Unicode; nothing when it holds no text or cannot be opened.
bool CzytajTekstSchowka(HWND owner, std::string& tekst);
// Puts a text on the clipboard as Unicode; false when the clipboard cannot be opened.
bool UstawTekstSchowka(HWND owner, const std::string& tekst);
// Whether what is on the clipboard is marked by its program as not to be kept by a history
// ("ExcludeClipboardContentFromMonitorProcessing", "Clipboard Viewer Ignore", or
// "CanIncludeInClipboardHistory" holding 0): password managers mark what they copy so.
bool SchowekTajny(HWND owner);
