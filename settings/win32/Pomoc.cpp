#include "settings/win32/Pomoc.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win32/Window.h"
#include "settings/Pomoc.h"
#include "platform/Platform.h"

namespace {

bool OtworzWPrzegladarce(const std::string& sciezka) {
  const auto wynik = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", win::Widen(sciezka).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return wynik > 32;
}

OtwieraczPomocy& Otwieracz() {
  static OtwieraczPomocy o = OtworzWPrzegladarce;
  return o;
}

}  // namespace

bool OtworzPomoc(const std::string& folderProgramu, int kontekst) {
  if (!PomocDostepna(folderProgramu)) return false;
  const std::string sciezka = SciezkaPomocy(folderProgramu, kontekst);
  // A page missing from an incomplete installation: the contents rather than nothing.
  return Otwieracz()(platform::Fs().FileExists(sciezka) ? sciezka : SciezkaPomocy(folderProgramu, 1));
}

OtwieraczPomocy UstawOtwieraczPomocy(OtwieraczPomocy otwieracz) {
  OtwieraczPomocy poprzedni = Otwieracz();
  Otwieracz() = otwieracz ? std::move(otwieracz) : OtwieraczPomocy(OtworzWPrzegladarce);
  return poprzedni;
}
