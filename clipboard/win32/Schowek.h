#pragma once
// The clipboard-history window TfrmSchowek: created hidden at start-up, a member of the
// clipboard-viewer chain for the whole run, it collects every text copied while the history is
// active and pops up at the text caret to paste an earlier one into the window being typed in.
#include <windows.h>

#include <string>

#include "clipboard/Schowek.h"
#include "common/win32/Controls.h"
#include "common/win32/Window.h"
#include "settings/Globalne.h"

class TfrmSchowek : public win::Window {
 public:
  TfrmSchowek() = default;
  ~TfrmSchowek() override;

  // Creates the hidden window, reads OpcjeSchowka and applies it, joins the viewer chain.
  bool Utworz();
  // Window size, colours, font, buffer and the active flag; the items held are kept.
  void ZastosujOpcje(const OpcjeSchowka& opcje);
  // Remembers the windows and opens at the caret point (screen coordinates), newest selected.
  void PokazSchowek(HWND focus, HWND topLevel, int x, int y);
  // Enter or a double click: the selected text goes to the clipboard and is pasted (WM_PASTE)
  // into the remembered focus window.
  void Wklej();
  // Escape: hides, nothing pasted.
  void Ukryj();

  // A text newly on the clipboard, as WM_DRAWCLIPBOARD collects it (while the history is active).
  void DodajTekst(const std::string& tekst);

  const THistoriaSchowka& Historia() const { return historia_; }
  HWND lstSchowek() const { return lista_.Hwnd(); }
  bool Aktywny() const { return aktywny_; }

 protected:
  // The clipboard-viewer chain and the focus kept in the list, which no typed handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void ZbierzTekst();
  void OdswiezListe();
  void Zamknij(bool wklej);

  THistoriaSchowka historia_;
  win::ListBox lista_;
  HWND nastepny_ = nullptr;  // the next window of the clipboard-viewer chain
  bool wLancuchu_ = false;
  bool aktywny_ = true;
  HWND fokus_ = nullptr;
  HWND glowneOkno_ = nullptr;
  HFONT font_ = nullptr;  // the user's font of the history (face, size and style of the options)
  HBRUSH tlo_ = nullptr;
  COLORREF kolorTekstu_ = 0;
  COLORREF kolorTla_ = RGB(255, 255, 255);
};

// Text on the clipboard as Unicode; nothing when it holds no text or cannot be opened.
bool CzytajTekstSchowka(HWND owner, std::string& tekst);
// Puts a text on the clipboard as Unicode; false when the clipboard cannot be opened.
bool UstawTekstSchowka(HWND owner, const std::string& tekst);
