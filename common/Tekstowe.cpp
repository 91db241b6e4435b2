#include "common/Tekstowe.h"

#include <algorithm>
#include <cstdlib>

#include "base/Cp1250.h"
#include "common/Komunika.h"

namespace {

// Byte length of the character starting at i, the way utf8::Decode counts it (a malformed byte
// is one character). Working on byte offsets keeps malformed input intact instead of turning it
// into replacement characters.
size_t CharLen(const std::string& s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t extra = 0;
  if ((c & 0xE0) == 0xC0) extra = 1;
  else if ((c & 0xF0) == 0xE0) extra = 2;
  else if ((c & 0xF8) == 0xF0) extra = 3;
  for (size_t k = 1; k <= extra; ++k) {
    if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  }
  return extra + 1;
}

// Byte offsets of every character, plus the size of s at the end.
std::vector<size_t> CharStarts(const std::string& s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); i += CharLen(s, i)) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

// A char argument as text: ASCII as itself, a byte above 0x7F as its Windows-1250 letter.
std::string CharText(char c) { return cp1250::ToUtf8(std::string(1, c)); }

// The nine Polish letters, lower and upper case, as UTF-8 pairs at the same places.
constexpr const char* kMale[] = {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż"};
constexpr const char* kDuze[] = {"Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"};

std::string MapCase(const std::string& s, bool upper) {
  const char* const* from = upper ? kMale : kDuze;
  const char* const* to = upper ? kDuze : kMale;
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (upper && c >= 'a' && c <= 'z') { out.push_back(static_cast<char>(c - 'a' + 'A')); ++i; continue; }
    if (!upper && c >= 'A' && c <= 'Z') { out.push_back(static_cast<char>(c - 'A' + 'a')); ++i; continue; }
    const size_t len = CharLen(s, i);
    bool mapped = false;
    if (len == 2) {
      for (int k = 0; k < 9 && !mapped; ++k) {
        if (s.compare(i, 2, from[k]) == 0) { out += to[k]; mapped = true; }
      }
    }
    if (!mapped) out.append(s, i, len);
    i += len;
  }
  return out;
}

std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out += to;
  }
  out.append(s, pos, std::string::npos);
  return out;
}

std::string PadLeft(const std::string& text, int width, char pad) {
  if (width <= 0 || static_cast<int>(text.size()) >= width) return text;
  return std::string(static_cast<size_t>(width) - text.size(), pad) + text;
}

// Blanks and control characters at both ends go, as a user's stray spaces or tabs should not turn
// a number into a non-number.
std::string TrimBlank(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Where `open` and, after it, `close` first occur: [openPos, closePos). False unless both do.
bool FindPair(const std::string& s, const std::string& open, const std::string& close, size_t& openPos,
              size_t& closePos) {
  if (open.empty() || close.empty()) return false;
  openPos = s.find(open);
  if (openPos == std::string::npos) return false;
  closePos = s.find(close, openPos + open.size());
  return closePos != std::string::npos;
}

}  // namespace

std::string IntToStr0b(long long value, int width) {
  const std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) > width) {
    PokazBlad("U:Tekstowe F:IntToStr0b", "Za duża cyfra: " + text);
    return text;
  }
  // The sign stays in front of the zeros: -5 at width 3 is "-05", not "0-5".
  if (value < 0) return "-" + PadLeft(text.substr(1), width - 1, '0');
  return PadLeft(text, width, '0');
}

std::string IntToStrSpaces(long long value, int width) { return PadLeft(std::to_string(value), width, ' '); }

std::string FirstChar(const std::string& s) {
  if (s.empty()) {
    PokazBlad("U:Tekstowe F:FirstChar", "długość podanego ciągu jest równa 0");
    return "@";  // the same stand-in LastChar gives, so callers see one "no character" value
  }
  return s.substr(0, CharLen(s, 0));
}

std::string LastChar(const std::string& s) {
  if (s.empty()) {
    PokazBlad("U:Tekstowe F:LastChar", "Próba zwrócenia ostatniego znaku z pustego łańcucha!");
    return "@";
  }
  const std::vector<size_t> starts = CharStarts(s);
  return s.substr(starts[starts.size() - 2]);
}

std::string UpperCasePL(const std::string& s) { return MapCase(s, true); }

std::string LowerCasePL(const std::string& s) { return MapCase(s, false); }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

int IndexOfStartingWith(const TStringList& list, const std::string& prefix, bool caseSensitive) {
  const std::string p = caseSensitive ? prefix : UpperCasePL(prefix);
  for (size_t i = 0; i < list.size(); ++i) {
    if (StartsWith(caseSensitive ? list[i] : UpperCasePL(list[i]), p)) return static_cast<int>(i);
  }
  return -1;
}

int IndexOfContaining(const std::string& fragment, const TStringList& list) {
  // An empty fragment names nothing to look for, so it is found nowhere.
  if (fragment.empty()) return -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].find(fragment) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

std::string JoinWithSeparator(const TStringList& list, const std::string& sep) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += sep;
    out += list[i];
  }
  return out;
}

std::string AfterLastChar(const std::string& s, char c) {
  const std::string sep = CharText(c);
  const size_t pos = s.rfind(sep);
  return pos == std::string::npos ? s : s.substr(pos + sep.size());
}

std::string TextBetween(const std::string& s, const std::string& open, const std::string& close) {
  size_t o, c;
  if (!FindPair(s, open, close, o, c)) return {};
  return s.substr(o + open.size(), c - o - open.size());
}

std::string CutBetween(const std::string& s, const std::string& open, const std::string& close) {
  size_t o, c;
  if (!FindPair(s, open, close, o, c)) return s;
  return s.substr(0, o) + s.substr(c + close.size());
}

std::string CopyFromTo(const std::string& s, int from, int to) {
  // Characters at positions from .. to-1, as far as they exist.
  const std::vector<size_t> starts = CharStarts(s);
  const long long count = static_cast<long long>(starts.size()) - 1;
  const long long first = from < 1 ? 1 : from;
  const long long last = to - 1LL > count ? count : to - 1LL;
  if (first > last) return {};
  return s.substr(starts[first - 1], starts[last] - starts[first - 1]);
}

std::string RemoveChar(const std::string& s, char c) { return ReplaceAll(s, CharText(c), ""); }

std::string ReplaceChar(const std::string& s, char oldChar, char newChar) {
  return ReplaceAll(s, CharText(oldChar), CharText(newChar));
}

std::string UnderscoresToSpaces(const std::string& s) {
  std::string out = s;
  for (char& c : out) {
    if (c == '_') c = ' ';
    else if (c == '&') c = '_';
  }
  return out;
}

std::string TabsToSpaces(const std::string& s) { return ReplaceAll(s, "\t", " "); }

bool ContainsAnyOf(const std::string& s, const std::string& chars) {
  // ASCII characters stand for themselves in UTF-8: a byte search finds them.
  if (std::all_of(chars.begin(), chars.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    // One pass over the text through a table (a search of the set per character costs more).
    bool zbior[128] = {};
    for (char c : chars) zbior[static_cast<unsigned char>(c)] = true;
    return std::any_of(s.begin(), s.end(), [&](char c) {
      const auto u = static_cast<unsigned char>(c);
      return u < 0x80 && zbior[u];
    });
  }
  const std::u32string set = utf8::Decode(chars);
  for (char32_t c : utf8::Decode(s)) {
    if (set.find(c) != std::u32string::npos) return true;
  }
  return false;
}

void DeleteFirstChar(std::string& s) {
  if (!s.empty()) s.erase(0, CharLen(s, 0));
}

void DeleteLastChar(std::string& s) {
  if (s.empty()) return;
  const std::vector<size_t> starts = CharStarts(s);
  s.erase(starts[starts.size() - 2]);
}

std::string DropLastChars(const std::string& s, int n) {
  if (n <= 0) return s;
  const std::vector<size_t> starts = CharStarts(s);
  const size_t count = starts.size() - 1;
  if (static_cast<size_t>(n) >= count) return {};
  return s.substr(0, starts[count - n]);
}

void TrimAtNul(std::string& s) {
  const size_t pos = s.find('\0');
  if (pos != std::string::npos) s.erase(pos);
}

std::string TrimRightWhite(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && (s[e - 1] == ' ' || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
  return s.substr(0, e);
}

std::string TrimLeftSpaces(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return s.substr(b);
}

std::string TrimBoth(const std::string& s) { return TrimLeftSpaces(TrimRightWhite(s)); }

bool IsNumber(const std::string& s) {
  // A whole number that converts: an optional leading minus and at least one digit.
  std::string t = TrimBlank(s);
  if (!t.empty() && t[0] == '-') t.erase(0, 1);
  return AllDigits(t);
}

bool IsDecimalNumber(const std::string& s) {
  // An optional leading minus, digits, and at most one decimal comma with digits on both sides.
  std::string t = TrimBlank(s);
  if (t.size() > 1 && t[0] == '-') t.erase(0, 1);
  const size_t comma = t.find(',');
  if (comma == std::string::npos) return AllDigits(t);
  return AllDigits(t.substr(0, comma)) && AllDigits(t.substr(comma + 1));
}

std::optional<long> CalaLiczba(const std::string& tekst) {
  const size_t a = tekst.find_first_not_of(" \t");
  if (a == std::string::npos) return std::nullopt;
  const std::string t = tekst.substr(a, tekst.find_last_not_of(" \t") - a + 1);
  if (t.size() > 9) return std::nullopt;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return std::nullopt;
  for (size_t j = i; j < t.size(); ++j)
    if (t[j] < '0' || t[j] > '9') return std::nullopt;
  return std::strtol(t.c_str(), nullptr, 10);
}
