#pragma once
// What the monitored-document list window shows and does. An item is a string: character 1 is
// "@" when a window with the title is open, character 2 "#" when the title is a monitored
// document (blanks otherwise), and the title follows.
#include <functional>
#include <string>

#include "common/Tekstowe.h"
#include "documents/MonitorowanieDokumentow.h"

inline constexpr char kZnakOtwarty = '@';
inline constexpr char kZnakMonitorowany = '#';

// The open document windows (titles by the document rule), each marked monitored or not.
TStringList WidokOtwartych(const TStringList& tytuly, const TDokumenty& dokumenty);
// Every monitored document first, open or not, then the open titles that are not monitored.
TStringList WidokPelny(const TStringList& tytuly, const TDokumenty& dokumenty);

inline bool PozycjaOtwarta(const std::string& p) { return p.size() > 0 && p[0] == kZnakOtwarty; }
inline bool PozycjaMonitorowana(const std::string& p) { return p.size() > 1 && p[1] == kZnakMonitorowany; }
inline std::string TytulPozycji(const std::string& p) { return p.size() > 2 ? p.substr(2) : std::string(); }

// Switches the item's monitoring: off after the warning question (the record and its time go,
// the title is declined), on at once (a new record; the title is no longer a candidate).
// Returns the item as it stands afterwards.
std::string PrzelaczMonitorowanie(const std::string& pozycja, TDokumenty& dokumenty);

// The question about a new document answered: "Tak" monitors it, "Nie" declines it; either way
// it is no longer a candidate.
void OdpowiedzNaPytanie(TDokumenty& dokumenty, const std::string& tytul, bool monitorowac);

// What the document windows ask of the document monitoring: the list's view of the open window
// titles (those the filter characters keep), the switching of an item, the question's answer.
struct ZrodloDokumentow {
  std::function<TStringList(bool pelny)> widok;
  std::function<std::string(const std::string& pozycja)> przelacz;
  std::function<void(const std::string& tytul, bool monitorowac)> odpowiedz;
};
// The source over the monitoring itself, with the filter characters the program uses now.
ZrodloDokumentow ZrodloDokumentowZ(TDokumenty& dokumenty, std::function<std::string()> znakiFiltrujace);

inline constexpr const char* kPytanieOWylaczenie =
    "Wyłączając monitorowanie tego dokumentu usuwasz jednocześnie wszystkie dotychczasowe zapisy dotyczące "
    "tego dokumentu. Czy chcesz tego?";
