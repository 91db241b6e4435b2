#pragma once
// "Wybieranie foldera": a tree of drives and folders, the chosen path above it, and (when the
// caller asks) whether subfolders count too.
#include <windows.h>

#include <string>

#include "common/win32/Form.h"

struct WybranyFolder {
  std::string folder;  // empty after "Anuluj"
  bool podkatalogi = false;
};

class TfrmFolderSelection : public win::Form {
 public:
  // Modal above the owner; opens on `poczatkowy` when that folder exists.
  WybranyFolder Pokaz(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi);

  // The node of a path's deepest existing folder is selected; false when its drive is missing.
  bool OtworzSciezke(const std::string& sciezka);

  void cmdOkClick();
  void cmdAnulujClick();

 protected:
  bool OnClose() override;

 private:
  void FormCreate(HWND wlasciciel, bool pytajOPodkatalogi);
  void LoadDrives();
  void Rozwin(HTREEITEM wezel);
  std::string Sciezka(HTREEITEM wezel) const;
  void PokazSciezke();

  win::TreeView drzewo_;
  win::Control labFolder_;
  win::CheckBox chbPodkatalogi_;
  WybranyFolder wynik_;
};

WybranyFolder WybierzFolder(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi = false);
