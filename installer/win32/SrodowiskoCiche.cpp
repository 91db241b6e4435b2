// <windows.h> first: the seam's header then keeps its method names (CreateDirectory).
#include <windows.h>

#include "installer/win32/SrodowiskoCiche.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "installer/Cicho.h"
#include "installer/Granice.h"
#include "installer/Wybgrupy.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

using platform::win32::Widen;

TSrodowiskoCiche::TSrodowiskoCiche() {
  com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

TSrodowiskoCiche::~TSrodowiskoCiche() {
  if (com_) CoUninitialize();
}

bool TSrodowiskoCiche::ProgManExecute(const std::string& command, bool) {
  const PolecenieProgMan p = RozbierzPolecenieProgMan(command);
  switch (p.rodzaj) {
    case PolecenieProgMan::UtworzGrupe: return UtworzGrupe(p.grupa);
    case PolecenieProgMan::DodajIkone: return DodajIkone(p.plik, p.tytul);
    case PolecenieProgMan::Inne: break;
  }
  return false;
}

bool TSrodowiskoCiche::UtworzGrupe(const std::string& grupa) {
  platform::Files& fs = platform::Fs();
  const auto programy = fs.KnownFolderPath(platform::KnownFolder::Programs);
  if (!programy || !SprawdzNazweGrupy(grupa).empty()) return false;
  const std::string folder = platform::JoinPath(*programy, grupa);
  if (!fs.DirectoryExists(folder) && !fs.CreateDirectory(folder)) return false;
  // The group's icons go only into the folder named, never through a link put in its place.
  const auto koncowy = fs.FinalPath(folder);
  if (!koncowy || !ZgodnaSciezkaKoncowa(folder, *koncowy)) return false;
  grupa_ = folder;
  return true;
}

bool TSrodowiskoCiche::DodajIkone(const std::string& plik, const std::string& tytul) {
  if (grupa_.empty() || !com_ || !SprawdzNazweGrupy(tytul).empty()) return false;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return false;
  bool ok = false;
  const std::wstring cel = Widen(plik);
  const std::wstring katalog = cel.substr(0, cel.find_last_of(L'\\'));
  IPersistFile* zapis = nullptr;
  if (SUCCEEDED(link->SetPath(cel.c_str())) && SUCCEEDED(link->SetWorkingDirectory(katalog.c_str())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&zapis)))) {
    const std::wstring skrot = Widen(platform::JoinPath(grupa_, tytul + ".lnk"));
    ok = SUCCEEDED(zapis->Save(skrot.c_str(), TRUE));
    zapis->Release();
  }
  link->Release();
  return ok;
}
