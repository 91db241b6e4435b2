#pragma once
// The clipboard history's rules: which copied texts are kept and in what order, how the buffer
// limit evicts the oldest, how an item is shown and found, and where the pop-up opens at the caret.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "settings/Globalne.h"

class THistoriaSchowka {
 public:
  // An item shows at most this many characters, followed by "...".
  static constexpr int kMaksPokazanych = 3000;
  // The smallest buffer: a size of zero or less in the settings gets this one.
  static constexpr int64_t kNajmniejszyBufor = 1024;
  // Whole texts are kept for pasting; all of them together take at most this many bytes, beyond
  // which the oldest go, whatever the buffer says.
  static constexpr int64_t kLimitPamieci = 16 * 1024 * 1024;

  struct Pozycja {
    std::string tekst;   // the whole text as copied (pasting gives it back)
    int64_t znaki = 0;   // its length in characters
    int64_t rozmiar = 0; // what it counts against the buffer: the characters it shows
  };

  // Limit in characters; 10240 until the settings are applied.
  void UstawLimit(int64_t znaki);
  // The limit of a buffer size in kilobytes.
  void UstawBuforKB(int32_t kilobajty);
  int64_t LimitBufora() const { return limit_; }

  // A text newly on the clipboard. Returns true when the list changed. The newest text is always
  // kept; only older ones are evicted.
  bool Dodaj(const std::string& tekst);
  // Removes one item (Delete in the list); false when there is no such item.
  bool Usun(size_t indeks);
  void Wyczysc() { pozycje_.clear(); }

  const std::vector<Pozycja>& Pozycje() const { return pozycje_; }
  // What the held items count against the buffer, always taken from what is held.
  int64_t SumaZnakow() const;
  // Bytes of the whole texts held.
  int64_t PamiecTekstow() const;
  // Indexes of the items that contain the text (letter case ignored), oldest first; every item
  // for an empty text.
  std::vector<size_t> Pasujace(const std::string& szukany) const;

 private:
  void Przytnij();

  std::vector<Pozycja> pozycje_;
  int64_t limit_ = 10240;
};

// The characters an item of that many characters shows (and counts): at most kMaksPokazanych
// followed by the three dots.
int64_t RozmiarPozycjiSchowka(int64_t znaki);
// The text a list item shows: line breaks and tabs as spaces, at most kMaksPokazanych characters
// followed by "..." when longer.
std::string TekstPozycjiSchowka(const std::string& tekst);
// Characters (code points) of a UTF-8 text.
int64_t IloscZnakow(const std::string& tekst);
// Whether two texts are equal without regard to letter case (the letters of
// ZawieraBezWielkosciLiter).
bool RowneBezWielkosciLiter(const std::string& a, const std::string& b);
// Whether a text contains another without regard to letter case: Latin letters with their
// accents (Polish ones among them), Greek and Cyrillic. An empty text is in every text.
bool ZawieraBezWielkosciLiter(const std::string& tekst, const std::string& szukany);
// What the history says under its list while a search is typed: the text and how many items of
// how many match.
std::string OpisWyszukiwaniaSchowka(const std::string& szukany, size_t pasujacych, size_t wszystkich);

// Height of one caret line: the height of "I" times 1.3, rounded.
int WysokoscLiniiSchowka(int wysokoscI);
struct PolozenieSchowka {
  int x = 0;
  int y = 0;
};
// Top-left corner of the pop-up for a caret at (x, y) in screen coordinates: below the caret's
// line, or above the caret when it would not fit; flush with the right edge when it would stick
// out there; never off the top-left of the screen.
PolozenieSchowka PolozSchowek(int x, int y, int szerokoscOkna, int wysokoscOkna, int szerokoscEkranu,
                              int wysokoscEkranu, int wysokoscLinii);
// The same inside the work area of the caret's monitor, which may lie left of or above the primary
// one (negative coordinates): flush with its right edge, above the caret at its bottom, never off
// its top-left.
PolozenieSchowka PolozSchowek(int x, int y, int szerokoscOkna, int wysokoscOkna, const platform::Rect& obszar,
                              int wysokoscLinii);
