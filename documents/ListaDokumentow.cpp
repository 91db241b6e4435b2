#include "documents/ListaDokumentow.h"

#include <algorithm>
#include <unordered_set>

#include "common/Komunika.h"
#include "common/WinTools.h"

TStringList WidokOtwartych(const TStringList& tytuly, const TDokumenty& dokumenty) {
  TStringList out;
  for (const std::string& t : tytuly) out.push_back(std::string(dokumenty.IsMonitoredDocument(t) ? "@#" : "@ ") + t);
  return out;
}

TStringList WidokPelny(const TStringList& tytuly, const TDokumenty& dokumenty) {
  std::unordered_set<std::string> otwarte, nazwy;
  for (const std::string& t : tytuly) otwarte.insert(KluczDokumentu(t));
  TStringList monitorowane;
  dokumenty.NazwyMonitorowanychDokumentow(monitorowane);
  TStringList out;
  for (const std::string& n : monitorowane) {
    const std::string k = KluczDokumentu(n);
    nazwy.insert(k);
    out.push_back(std::string(otwarte.count(k) ? "@#" : " #") + n);
  }
  for (const std::string& t : tytuly)
    if (!nazwy.count(KluczDokumentu(t))) out.push_back("@ " + t);
  return out;
}

std::string PrzelaczMonitorowanie(const std::string& pozycja, TDokumenty& dokumenty) {
  if (pozycja.size() < 2) return pozycja;
  std::string p = pozycja;
  const std::string tytul = TytulPozycji(p);
  if (PozycjaMonitorowana(p)) {
    if (KomunikatPytanie(kPytanieOWylaczenie, rkOstrzezenie) != okTak) return p;
    p[1] = ' ';
    dokumenty.UsunMonitorowanyDokument(tytul);
    dokumenty.AddDeclinedDocument(tytul);
  } else {
    p[1] = kZnakMonitorowany;
    dokumenty.DodajMonitorwanyDokument(tytul);
    dokumenty.UsunKandydata(tytul);
  }
  return p;
}

void OdpowiedzNaPytanie(TDokumenty& dokumenty, const std::string& tytul, bool monitorowac) {
  if (monitorowac) dokumenty.DodajMonitorwanyDokument(tytul);
  else dokumenty.AddDeclinedDocument(tytul);
  dokumenty.UsunzListyTymczasowychDokumentow(tytul);
}

ZrodloDokumentow ZrodloDokumentowZ(TDokumenty& dokumenty, std::function<std::string()> znakiFiltrujace) {
  ZrodloDokumentow z;
  z.widok = [&dokumenty, znakiFiltrujace](bool pelny) {
    TStringList tytuly;
    ListFilteredWindowTitles(tytuly, znakiFiltrujace());
    return pelny ? WidokPelny(tytuly, dokumenty) : WidokOtwartych(tytuly, dokumenty);
  };
  z.przelacz = [&dokumenty](const std::string& pozycja) { return PrzelaczMonitorowanie(pozycja, dokumenty); };
  z.odpowiedz = [&dokumenty](const std::string& tytul, bool tak) { OdpowiedzNaPytanie(dokumenty, tytul, tak); };
  return z;
}
