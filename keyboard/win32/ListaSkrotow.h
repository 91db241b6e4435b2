#pragma once
// The folder-shortcut list TfrmListaSkrotow: a small always-on-top window with one labelled
// entry per shortcut; a key, Enter or a click opens the folder in the explorer and closes it.
#include <windows.h>

#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "common/win32/Form.h"
#include "keyboard/ListaSkrotow.h"

class TfrmListaSkrotow : public win::Form {
 public:
  // plik: the shortcut data file; opcje: opens the options dialog on its shortcut page.
  TfrmListaSkrotow(std::string plik, std::function<void()> opcje);
  ~TfrmListaSkrotow() override;

  // Creates, fills and shows the window modally; returns when it closes.
  int ShowModal(HWND owner);

  // Reads the file again, fits the height and selects the first entry.
  void Wypelnij();
  // Opens the selected entry's folder and closes the window.
  void OtworzZaznaczony();
  void mnuOpcjeClick();
  // A key released in the list (one whose press it received).
  void lstSkrotyKeyUp(WPARAM key);

  HWND lstSkroty() const { return lista_.Hwnd(); }

  static constexpr int kIdMnuOpcje = 201;

 protected:
  // WM_CONTEXTMENU, which no typed handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void FormCreate();
  // The list's own keys and mouse: they act before the list box sees them.
  bool ListaKomunikat(UINT msg, WPARAM wp, LPARAM lp, LRESULT& wynik);
  void MouseMove(POINT p);
  // With no shortcut yet: offers the options' page "Skróty"; true when shortcuts were added there.
  bool DodajPierwszeSkroty();
  void UtworzPodpowiedz();

  std::string plik_;
  std::function<void()> opcje_;
  std::vector<SkrotFolderu> skroty_;
  win::ListBox lista_;
  HWND podpowiedz_ = nullptr;
  HMENU menu_ = nullptr;
  std::wstring tekstPodpowiedzi_;
  std::bitset<256> wcisniete_;  // keys whose press the list received and whose release it waits for
};
