#pragma once
// "Wybieranie foldera": a tree of drives and folders, the chosen path above it, and (when the
// caller asks) whether subfolders count too.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/win32/Window.h"

struct WybranyFolder {
  std::string folder;  // empty after "Anuluj"
  bool podkatalogi = false;
};

class TfrmFolderSelection : public win::Window {
 public:
  ~TfrmFolderSelection() override;
  // Modal; opens on `poczatkowy` when that folder exists.
  WybranyFolder Pokaz(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi);

  // The node of a path's deepest existing folder is selected; false when its drive is missing.
  bool OtworzSciezke(const std::string& sciezka);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate(HWND wlasciciel, bool pytajOPodkatalogi);
  void LoadDrives();
  void Rozwin(HTREEITEM wezel);
  std::string Sciezka(HTREEITEM wezel) const;
  std::string Tekst(HTREEITEM wezel) const;
  HTREEITEM Dodaj(HTREEITEM rodzic, const std::string& tekst, int ikona, int otwarta, bool maDzieci);
  void PokazSciezke();

  HWND drzewo_ = nullptr;
  WybranyFolder wynik_;
};

WybranyFolder WybierzFolder(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi = false);
