#pragma once
// TOPisak: word-wraps a short text to a width and paints it, obeying the formatting commands
// embedded in it ({#b}, {#color:red}, {#size:-16}, {#plain} ...). The rules live here, over an
// abstract canvas, so they are the same for the Win32 control and for the tests.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Tekst.h"

namespace pisak {

// A drawing font as the painter changes it. `height` follows the Windows convention: negative
// for character height, positive for cell height, 0 for the face's default.
struct Czcionka {
  std::string face;
  int32_t height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  uint32_t color = 0;  // 0x00BBGGRR
  bool operator==(const Czcionka&) const = default;
};

// Where the painter measures and draws. Texts are UTF-8.
class Plotno {
 public:
  virtual ~Plotno() = default;
  virtual void SetFont(const Czcionka& font) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual void Pisz(int x, int y, const std::string& text) = 0;
  virtual void FillRect(int left, int top, int right, int bottom, uint32_t color) = 0;
};

// Colour of a name ("red" -> 0x0000FF), case-insensitive; nullopt for an unknown name.
std::optional<uint32_t> KolorNazwany(const std::string& name);

inline constexpr int kMaksDlugoscTekstu = 500;  // characters kept of a text
inline constexpr uint32_t kKolorNieznany = 0x000080;  // maroon, for unknown colour names

class TOPisak {
 public:
  struct Slowo {
    int32_t width = 0;
    int32_t height = 0;
  };
  struct Linia {
    int32_t width = 0;
    int32_t height = 0;
    int32_t first = 0;  // word numbers, from 1
    int32_t last = 0;
  };

  TOPisak();

  // Keeps the first 500 characters; the layout becomes stale.
  void UstawTekst(const std::string& text);
  void UstawTekst(const char* text);
  const std::string& Tekst() const { return text_; }
  // What a reader sees: the drawn words with the spaces between them, without commands.
  std::string TekstWidoczny() const;

  // The control's width (pixels), font and colour. Changing the width or the font makes the
  // layout stale too.
  void UstawSzerokosc(int32_t width);
  int32_t Szerokosc() const { return width_; }
  void UstawCzcionke(const Czcionka& font);
  const Czcionka& CzcionkaBazowa() const { return base_; }
  void UstawKolor(uint32_t color) { color_ = color; }
  uint32_t Kolor() const { return color_; }

  bool Centrowanie = false;

  // Height the wrapped text needs; lays out first when stale and the text has words. A text
  // without words keeps the height of the last layout (0 for a new painter).
  int32_t WymaganaWysokosc(Plotno& canvas);
  // Paints the text; from the second painting on the clipping rectangle is filled first.
  // Unknown commands and colours are reported while laying out only, once per text, so that a
  // repaint (say, after the message box itself covered the text) never reports them again.
  void Rysuj(Plotno& canvas, int clipLeft, int clipTop, int clipRight, int clipBottom);

  int32_t LiczbaSlow() const { return words_.LiczbaWyrazow(); }
  bool Ulozony() const { return laidOut_; }
  const std::vector<Slowo>& Slowa() const { return wordRecords_; }
  const std::vector<Linia>& Linie() const { return lineRecords_; }

 private:
  void Uloz(Plotno& canvas);
  bool JestRozkazem(int32_t n) const;
  // Executes command word n on the drawing font; reports problems when `report` is set.
  void WykonajRozkaz(int32_t n, bool report);
  int32_t Zmierz(Plotno& canvas, int32_t n, bool withSpace, bool report);
  int32_t WysokoscSlowa(Plotno& canvas);
  void ZnajdzSpacje();

  TOrganizatorTekstu words_;
  mutable TOrganizatorTekstu command_;
  std::string text_;
  std::vector<bool> spaceAfter_;  // word n-1: a space stands between it and the next drawn word
  std::vector<Slowo> wordRecords_;
  std::vector<Linia> lineRecords_;
  Czcionka base_;
  Czcionka font_;  // the drawing font while laying out or painting
  Plotno* canvas_ = nullptr;
  uint32_t color_ = 0xC0C0C0;
  int32_t width_ = 0;
  int32_t total_ = 0;
  bool laidOut_ = false;
  bool paintedOnce_ = false;
};

}  // namespace pisak
