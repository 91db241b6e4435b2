#include "common/Pisak.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Komunika.h"

namespace pisak {

namespace {

struct NazwaKoloru {
  const char* name;
  uint32_t value;
};

constexpr NazwaKoloru kKolory[] = {
    {"black", 0x000000}, {"maroon", 0x000080}, {"green", 0x008000},  {"olive", 0x008080},
    {"navy", 0x800000},  {"purple", 0x800080}, {"teal", 0x808000},   {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0x0000FF},   {"lime", 0x00FF00},   {"blue", 0xFF0000},
    {"fuchsia", 0xFF00FF}, {"aqua", 0xFFFF00}, {"white", 0xFFFFFF},
};

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Byte length of the first `n` characters of a UTF-8 text (continuation bytes do not count).
size_t Utf8Prefix(const std::string& s, size_t n) {
  size_t chars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == n) return i;
      ++chars;
    }
  }
  return s.size();
}

constexpr int32_t kNajwiekszaCzcionka = 1000;  // pixels, either sign

int32_t Zaokraglij(double v) { return static_cast<int32_t>(std::lround(v)); }

// A decimal integer, optionally signed, with no other characters; nullopt otherwise.
std::optional<int32_t> LiczbaCalkowita(const std::string& s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
    if (v > std::numeric_limits<int32_t>::max()) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -v : v);
}

bool JestSeparatoremSlow(char c) { return c == '\0' || c == '\n' || c == '\r' || c == ' ' || c == '{' || c == '}'; }

}  // namespace

std::optional<uint32_t> KolorNazwany(const std::string& name) {
  std::string lower = LowerAscii(name);
  for (const auto& k : kKolory)
    if (lower == k.name) return k.value;
  return std::nullopt;
}

TOPisak::TOPisak() {
  words_.UstawSeparatory(" {}");
  command_.UstawSeparatory("#:");
}

void TOPisak::UstawTekst(const std::string& text) {
  text_ = text.substr(0, Utf8Prefix(text, kMaksDlugoscTekstu));
  words_.UstawTekst(text_);
  ZnajdzSpacje();
  laidOut_ = false;
}

void TOPisak::UstawTekst(const char* text) { UstawTekst(std::string(text ? text : "")); }

void TOPisak::UstawSzerokosc(int32_t width) {
  if (width != width_) laidOut_ = false;
  width_ = width;
}

void TOPisak::UstawCzcionke(const Czcionka& font) {
  if (!(font == base_)) laidOut_ = false;
  base_ = font;
}

// For every word: does the text hold a space between it and the next word that is drawn? A
// command between two words takes no room, so "a{#b} b" keeps the space of "a b". The words are
// found by the same rule as the tokenizer's (runs of " {}", CR, LF, NUL); should the two ever
// disagree, the tokenizer's own ending character decides.
void TOPisak::ZnajdzSpacje() {
  int32_t count = words_.LiczbaWyrazow();
  std::vector<bool> runHasSpace;  // run of separators after word k
  size_t i = 0;
  const std::string& t = text_;
  while (i < t.size() && JestSeparatoremSlow(t[i])) ++i;
  while (i < t.size()) {
    while (i < t.size() && !JestSeparatoremSlow(t[i])) ++i;
    bool space = false;
    while (i < t.size() && JestSeparatoremSlow(t[i])) space |= t[i++] == ' ';
    runHasSpace.push_back(space);
  }
  spaceAfter_.assign(count, false);
  if (static_cast<int32_t>(runHasSpace.size()) != count) {
    for (int32_t n = 1; n <= count; ++n) spaceAfter_[n - 1] = words_.DajSeparator(n) == " ";
    return;
  }
  // A drawn word's flag covers its own run and the runs of the commands after it.
  for (int32_t n = 1; n <= count; ++n) {
    if (JestRozkazem(n)) continue;
    bool space = runHasSpace[n - 1];
    for (int32_t k = n + 1; !space && k <= count && JestRozkazem(k); ++k) space = runHasSpace[k - 1];
    spaceAfter_[n - 1] = space;
  }
}

bool TOPisak::JestRozkazem(int32_t n) const {
  std::string w = words_.DajWyraz(n);
  return !w.empty() && w[0] == '#';
}

void TOPisak::WykonajRozkaz(int32_t n, bool report) {
  command_.UstawTekst(words_.DajWyraz(n));
  std::string name;
  std::string arg;
  if (command_.LiczbaWyrazow() >= 1) name = command_.DajWyraz(1);
  if (command_.LiczbaWyrazow() >= 2) arg = command_.DajWyraz(2);
  name = LowerAscii(name.substr(0, Utf8Prefix(name, 10)));

  Czcionka f = font_;
  if (name == "b") {
    f.bold = true, f.italic = false, f.underline = false;
  } else if (name == "ub") {
    f.bold = false;
  } else if (name == "i") {
    f.bold = false, f.italic = true, f.underline = false;
  } else if (name == "ui") {
    f.italic = false;
  } else if (name == "u") {
    f.bold = false, f.italic = false, f.underline = true;
  } else if (name == "uu") {
    f.underline = false;
  } else if (name == "color") {
    if (auto c = KolorNazwany(arg)) {
      f.color = *c;
    } else {
      if (report) ShowMessage("TOPisak.DajKolor => podany nieznany kolor: " + arg);
      f.color = kKolorNieznany;
    }
  } else if (name == "size") {
    if (auto h = LiczbaCalkowita(arg)) {
      // Held to a height a screen can show: a huge one would overflow the line and text sums.
      f.height = std::clamp(*h, -kNajwiekszaCzcionka, kNajwiekszaCzcionka);
    } else if (report) {
      ShowMessage("TOPisak.WykonajRozkaz => Niepoprawna wysokość czcionki: " + arg);
    }
  } else if (name == "plain") {
    f = base_;
  } else {
    if (report) ShowMessage("TOPisak.WykonajRozkaz => Nie rozpoznany rozkaz: " + name);
    return;
  }
  if (!(f == font_)) {
    font_ = f;
    canvas_->SetFont(font_);
  }
}

int32_t TOPisak::Zmierz(Plotno& canvas, int32_t n, bool withSpace, bool report) {
  if (JestRozkazem(n)) {
    WykonajRozkaz(n, report);
    return 0;
  }
  std::string w = words_.DajWyraz(n);
  if (withSpace && spaceAfter_[n - 1]) w += ' ';
  return canvas.TextWidth(w);
}

int32_t TOPisak::WysokoscSlowa(Plotno& canvas) { return Zaokraglij(canvas.TextHeight("U") * 0.81); }

void TOPisak::Uloz(Plotno& canvas) {
  canvas_ = &canvas;
  font_ = base_;
  canvas.SetFont(font_);
  total_ = 0;
  wordRecords_.clear();
  lineRecords_.clear();
  int32_t count = words_.LiczbaWyrazow();
  int32_t lineWidth = 0;
  int32_t first = 1;

  int32_t w = Zmierz(canvas, 1, true, true);
  int32_t h = WysokoscSlowa(canvas);
  int32_t lineHeight = h;
  for (int32_t i = 1; i <= count; ++i) {
    lineWidth += w;
    wordRecords_.push_back({w, h});
    int32_t next = 0;
    if (i < count) {
      next = Zmierz(canvas, i + 1, false, true);
      h = WysokoscSlowa(canvas);
      if (h > lineHeight) lineHeight = h;
    }
    if (lineWidth + next > width_ || i == count) {
      lineRecords_.push_back({lineWidth, lineHeight, first, i});
      total_ += Zaokraglij(lineHeight * 1.21);
      first = i + 1;
      lineWidth = 0;
      // The line height is not reset: it stays the largest word height met so far.
    }
    if (i < count) w = Zmierz(canvas, i + 1, true, false);
  }
  font_ = base_;
  canvas.SetFont(font_);
  canvas_ = nullptr;
  laidOut_ = true;
}

int32_t TOPisak::WymaganaWysokosc(Plotno& canvas) {
  if (!laidOut_ && words_.LiczbaWyrazow() > 0) Uloz(canvas);
  return total_;
}

void TOPisak::Rysuj(Plotno& canvas, int clipLeft, int clipTop, int clipRight, int clipBottom) {
  if (paintedOnce_) canvas.FillRect(clipLeft, clipTop, clipRight, clipBottom, color_);
  if (words_.LiczbaWyrazow() == 0) return;
  if (!laidOut_) Uloz(canvas);
  canvas_ = &canvas;
  font_ = base_;
  canvas.SetFont(font_);
  int32_t y = 0;
  for (const Linia& line : lineRecords_) {
    int32_t x = Centrowanie ? (width_ - line.width) / 2 : 0;
    for (int32_t k = line.first; k <= line.last; ++k) {
      const Slowo& word = wordRecords_[k - 1];
      int32_t top = y + line.height - word.height;
      if (JestRozkazem(k)) WykonajRozkaz(k, false);
      else canvas.Pisz(x, top, words_.DajWyraz(k));
      x += word.width;
    }
    y += Zaokraglij(line.height * 1.22);
  }
  font_ = base_;
  canvas.SetFont(font_);
  canvas_ = nullptr;
  paintedOnce_ = true;
}

std::string TOPisak::TekstWidoczny() const {
  std::string out;
  int32_t count = words_.LiczbaWyrazow();
  bool space = false;
  for (int32_t n = 1; n <= count; ++n) {
    if (JestRozkazem(n)) continue;
    if (space) out += ' ';
    out += words_.DajWyraz(n);
    space = spaceAfter_[n - 1];
  }
  return out;
}

}  // namespace pisak
