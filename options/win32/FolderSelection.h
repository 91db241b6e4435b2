#pragma once
// "Wybieranie foldera": a tree of drives and folders, the chosen path above it, and (when the
// caller asks) whether subfolders count too.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "common/win32/Form.h"

struct WybranyFolder {
  std::string folder;  // empty after "Anuluj"
  bool podkatalogi = false;
};

// A folder's subfolders read on a thread of their own (FolderSelection.cpp).
struct OdczytFolderu;

class TfrmFolderSelection : public win::Form {
 public:
  // Modal above the owner; opens on `poczatkowy` when that folder exists.
  WybranyFolder Pokaz(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi);

  ~TfrmFolderSelection() override;

  // The node of a path's deepest existing folder is selected; false when its drive is missing.
  // A folder that does not answer within a few seconds (a network drive gone) ends the walk.
  bool OtworzSciezke(const std::string& sciezka);

  void cmdOkClick();
  void cmdAnulujClick();

 protected:
  bool OnClose() override;
  // The message of a finished reading, which no typed handler carries.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate(HWND wlasciciel, bool pytajOPodkatalogi);
  void LoadDrives();
  // Reads a node's subfolders on a thread of their own, waiting for them at most `czekajMs`;
  // what has not come by then shows "Czytanie..." under the node until it comes.
  void Rozwin(HTREEITEM wezel, int czekajMs);
  void DodajPodfoldery(HTREEITEM wezel, const OdczytFolderu& odczyt);
  void OdbierzOdczyty();
  // No reading still under way tells this window any more.
  void OdlaczOdczyty();
  bool Zdalny(const std::string& sciezka) const;
  std::string Sciezka(HTREEITEM wezel) const;
  void PokazSciezke();

  win::TreeView drzewo_;
  win::Control labFolder_;
  win::CheckBox chbPodkatalogi_;
  WybranyFolder wynik_;
  std::map<HTREEITEM, std::shared_ptr<OdczytFolderu>> odczyty_;  // readings under way, by node
  std::string zdalne_;  // letters of the network drives
};

WybranyFolder WybierzFolder(HWND wlasciciel, const std::string& poczatkowy, bool pytajOPodkatalogi = false);
