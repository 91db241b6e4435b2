#include "settings/win32/Pomoc.h"

#include <windows.h>
#include <shellapi.h>

#include "common/Komunika.h"
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
  const std::string strona = SciezkaPomocy(folderProgramu, kontekst);
  // A page missing from an incomplete installation: the contents rather than nothing.
  const std::string sciezka = platform::Fs().FileExists(strona) ? strona : SciezkaPomocy(folderProgramu, 1);
  // The user asked for help: a page that is not there or does not open is named, never silence.
  if (!platform::Fs().FileExists(sciezka)) {
    Komunikat("Nie znaleziono strony pomocy:\n" + strona, rkOstrzezenie);
    return false;
  }
  if (!Otwieracz()(sciezka)) {
    Komunikat("Nie można otworzyć strony pomocy:\n" + sciezka, rkOstrzezenie);
    return false;
  }
  return true;
}

OtwieraczPomocy UstawOtwieraczPomocy(OtwieraczPomocy otwieracz) {
  OtwieraczPomocy poprzedni = Otwieracz();
  Otwieracz() = otwieracz ? std::move(otwieracz) : OtwieraczPomocy(OtworzWPrzegladarce);
  return poprzedni;
}
