#pragma once
// The folder-shortcut list TfrmListaSkrotow: a small always-on-top window with one labelled
// entry per shortcut; a key, Enter or a click opens the folder in the explorer and closes it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32/Window.h"
#include "keyboard/ListaSkrotow.h"

class TfrmListaSkrotow : public win::Window {
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
  // A key released in the list.
  void lstSkrotyKeyUp(WPARAM key);

  HWND lstSkroty() const { return lista_; }

  static constexpr int kIdMnuOpcje = 201;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static LRESULT CALLBACK ListaProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void MouseMove(POINT p);

  std::string plik_;
  std::function<void()> opcje_;
  std::vector<SkrotFolderu> skroty_;
  HWND lista_ = nullptr;
  HWND podpowiedz_ = nullptr;
  HMENU menu_ = nullptr;
  HFONT font_ = nullptr;
  WNDPROC listaProc_ = nullptr;
  std::wstring tekstPodpowiedzi_;
};
