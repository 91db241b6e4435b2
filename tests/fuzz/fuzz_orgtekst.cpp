// Both word tokenizers on arbitrary separators and text, checked against a direct model of the
// splitting rule: runs of separators (the caller's, NUL, LF, CR) divide the text into words.
// Input: first byte = length of the separator string, then the separators, then the text.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Cp1250.h"
#include "common/Orgtekst.h"
#include "common/Tekst.h"
#include "platform/memory/Memory.h"

namespace {

using platform::memory::RecordingDialogs;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

struct Word {
  int32_t start, end;  // inclusive, in characters
  char32_t ending;     // the character after the word, 0 at the end of the text
};

std::vector<Word> Model(const std::u32string& text, const std::u32string& seps) {
  auto isSep = [&](char32_t c) { return c == 0 || c == 10 || c == 13 || seps.find(c) != std::u32string::npos; };
  std::vector<Word> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isSep(text[i])) ++i;
    if (i >= text.size()) break;
    const size_t start = i;
    while (i < text.size() && !isSep(text[i])) ++i;
    words.push_back({static_cast<int32_t>(start), static_cast<int32_t>(i) - 1, i < text.size() ? text[i] : 0});
  }
  return words;
}

size_t Count(const RecordingDialogs& d, RecordingDialogs::Shown::Kind kind) {
  size_t n = 0;
  for (const auto& s : d.shown) n += s.kind == kind;
  return n;
}

void CheckMain(RecordingDialogs& d, const std::string& seps, const std::string& text) {
  const std::u32string sep32 = utf8::Decode(seps);
  const std::u32string text32 = utf8::Decode(text);
  TOrganizatorTekstu t;
  bool threw = false;
  try {
    t.UstawSeparatory(seps);
  } catch (const std::out_of_range&) {
    threw = true;
  }
  Check(threw == (sep32.size() > 9), "range error exactly for more than nine separators");
  if (threw) {
    // The text is then split at the three fixed separators only.
    t.UstawTekst(text);
    Check(t.LiczbaWyrazow() == static_cast<int32_t>(Model(text32, U"").size()), "count after refused separators");
    return;
  }

  d.shown.clear();
  t.UstawTekst(text);
  const std::vector<Word> words = Model(text32, sep32);
  Check(t.LiczbaWyrazow() == static_cast<int32_t>(words.size()), "word count");
  size_t longWords = 0;
  for (size_t k = 0; k < words.size(); ++k) {
    const Word& w = words[k];
    const int32_t len = w.end - w.start + 1;
    const std::string got = t.DajWyraz(static_cast<int32_t>(k + 1));
    if (len > 255) {
      ++longWords;
      Check(got.empty(), "overlong word comes back empty");
    } else {
      Check(got == utf8::Encode(text32.substr(w.start, len)), "word text");
    }
    for (char32_t c : utf8::Decode(got)) {
      Check(c != 0 && c != 10 && c != 13 && sep32.find(c) == std::u32string::npos, "word holds no separator");
    }
  }
  Check(Count(d, RecordingDialogs::Shown::Plain) == longWords, "one report per overlong word");
  Check(Count(d, RecordingDialogs::Shown::Error) == 0, "no error dialog while splitting");

  d.shown.clear();
  const int32_t n = t.LiczbaWyrazow();
  Check(t.DajWyraz(n + 1).empty() && d.shown.empty(), "beyond the last word: empty and silent");
  if (n > 0) {
    const std::string all = t.DajWyrazy(1, n);
    Check(all == utf8::Encode(text32.substr(words[0].start, words[n - 1].end - words[0].start + 1)),
          "all words reproduce the trimmed text");
    const int32_t a = 1 + static_cast<int32_t>(text.size() % n), b = n - static_cast<int32_t>(seps.size() % n);
    const int32_t first = a < b ? a : b, last = a < b ? b : a;
    Check(t.DajWyrazy(first, last) ==
              utf8::Encode(text32.substr(words[first - 1].start, words[last - 1].end - words[first - 1].start + 1)),
          "a range of words reproduces its text");
    Check(d.shown.empty(), "valid ranges are silent");
  }
  Check(t.DajWyraz(0).empty() && d.shown.size() == 1 && d.shown[0].kind == RecordingDialogs::Shown::Error,
        "word 0 reported once");
  d.shown.clear();
  Check(t.DajWyrazy(n + 1, n + 1).empty() && d.shown.size() == 1, "range past the end reported once");

  // A shorter separator set must stop the dropped separators from splitting.
  if (!sep32.empty()) {
    const std::u32string shorter = sep32.substr(0, sep32.size() - 1);
    t.UstawSeparatory(utf8::Encode(shorter));
    Check(t.LiczbaWyrazow() == static_cast<int32_t>(Model(text32, shorter).size()), "count after shorter separators");
  }
}

void CheckPainter(RecordingDialogs& d, const std::string& seps, const std::string& text) {
  const std::u32string sep32 = utf8::Decode(seps);
  if (sep32.size() > 9) return;
  const std::u32string text32 = utf8::Decode(text);
  pisak::TOrganizatorTekstu t;
  t.UstawSeparatory(seps);
  d.shown.clear();
  t.UstawTekst(text);
  const std::vector<Word> words = Model(text32, sep32);
  Check(t.LiczbaWyrazow() == static_cast<int32_t>(words.size()), "painter word count");
  for (size_t k = 0; k < words.size(); ++k) {
    const Word& w = words[k];
    const int32_t len = w.end - w.start + 1;
    const int32_t n = static_cast<int32_t>(k + 1);
    Check(t.DajWyraz(n) == (len > 255 ? std::string() : utf8::Encode(text32.substr(w.start, len))), "painter word");
    Check(t.DajSeparator(n) == (w.ending == 0 ? std::string("@") : utf8::Encode(w.ending)), "painter separator");
  }
  const size_t reports = d.shown.size();
  Check(t.DajSeparator(0) == "@" && t.DajWyraz(static_cast<int32_t>(words.size()) + 1).empty(), "painter outside");
  Check(d.shown.size() == reports + 2, "painter outside reported");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::memory::TestPlatform* platform = new platform::memory::TestPlatform();
  if (size == 0) return 0;
  const size_t sepLen = data[0] % 24 < size - 1 ? data[0] % 24 : size - 1;
  const std::string seps(reinterpret_cast<const char*>(data + 1), sepLen);
  const std::string text(reinterpret_cast<const char*>(data + 1 + sepLen), size - 1 - sepLen);
  CheckMain(platform->dialogs, seps, text);
  CheckPainter(platform->dialogs, seps, text);
  platform->dialogs.shown.clear();
  return 0;
}
