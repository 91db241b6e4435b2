#pragma once
// The clipboard history's rules: which copied texts are kept and in what order, how the buffer
// limit evicts the oldest, how an item is shown, and where the pop-up opens at the caret.
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

  struct Pozycja {
    std::string tekst;  // the whole text as copied (pasting gives it back)
    int64_t znaki = 0;  // its length in characters
  };

  // Limit in characters; 10240 until the settings are applied.
  void UstawLimit(int64_t znaki);
  // The limit of a buffer size in kilobytes.
  void UstawBuforKB(int32_t kilobajty);
  int64_t LimitBufora() const { return limit_; }

  // A text newly on the clipboard. Returns true when the list changed.
  bool Dodaj(const std::string& tekst);

  const std::vector<Pozycja>& Pozycje() const { return pozycje_; }
  // The total of the held items' lengths, always taken from what is held.
  int64_t SumaZnakow() const;

 private:
  void Przytnij();

  std::vector<Pozycja> pozycje_;
  int64_t limit_ = 10240;
};

// The text a list item shows: line breaks and tabs as spaces, at most kMaksPokazanych characters
// followed by "..." when longer.
std::string TekstPozycjiSchowka(const std::string& tekst);
// Characters (code points) of a UTF-8 text.
int64_t IloscZnakow(const std::string& tekst);

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
