#include "common/Orgtekst.h"

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/Separatory.h"

namespace {

// A stored word holds at most this many characters after its first one (255 + its ending).
constexpr int32_t kMaxSlice = 255;

const char* const kPlaceDajWyraz = "U:Tekst O:TOrganizatorTekstu.DajWyraz";
const char* const kPlaceDajWyrazy = "O:TOrganizatorTekstu.DajWyraz";
const char* const kBladWycinka = "TOrganizatorTekstu.DajWycinek => Błędne dane wyejściowe";

}  // namespace

TOrganizatorTekstu::TOrganizatorTekstu() { text_.push_back(U'\0'); }

void TOrganizatorTekstu::UstawSeparatory(const std::string& separators) {
  separatory_.Ustaw(separators);
  Podziel();
}

void TOrganizatorTekstu::UstawTekst(const std::string& text) {
  text_ = utf8::Decode(text);
  length_ = static_cast<int32_t>(text_.size());
  text_.push_back(U'\0');  // DajWycinek may read the terminator as a character
  Podziel();
}

void TOrganizatorTekstu::Podziel() {
  words_.clear();
  spans_.clear();
  PodzielNaWyrazy(text_, length_, separatory_, [this](int32_t start, int32_t end) {
    // The word together with the character that ended it (a separator or the terminator).
    words_.push_back(utf8::Decode(DajWycinek(start, end)));
    spans_.emplace_back(start, end - 1);
  });
}

int32_t TOrganizatorTekstu::LiczbaWyrazow() const { return static_cast<int32_t>(words_.size()); }

std::string TOrganizatorTekstu::DajWyraz(int32_t n) const {
  if (n < 1) {
    PokazBlad(kPlaceDajWyraz, "Błędne parametry wejściowe,  nie ma wyrazu nr:" + std::to_string(n));
    return {};
  }
  if (n > LiczbaWyrazow()) return {};
  const std::u32string& word = words_[n - 1];
  if (word.empty()) return {};  // a word too long to store
  return utf8::Encode(word.substr(0, word.size() - 1));
}

std::string TOrganizatorTekstu::DajWyrazy(int32_t first, int32_t last) const {
  if (first > last || first < 1 || last > LiczbaWyrazow()) {
    PokazBlad(kPlaceDajWyrazy, "Niepoprawne dane wejściowe: pierwszy = " + std::to_string(first) +
                                   " ostatni = " + std::to_string(last));
    return {};
  }
  // Copied straight from the text: the 255-character limit belongs to single stored words, and a
  // valid range of words (a long path, a long title) must always come back whole.
  const int32_t start = spans_[first - 1].first;
  const int32_t end = spans_[last - 1].second;
  return utf8::Encode(text_.substr(start, end - start + 1));
}

std::string TOrganizatorTekstu::DajWycinek(int32_t start, int32_t end) const {
  // Computed in 64 bits so that extreme arguments cannot overflow the checks.
  const int64_t s = start, e = end;
  if (e - s > kMaxSlice || e - s > length_ || s < 0 || e > length_) {
    ShowMessage(kBladWycinka);
    return {};
  }
  std::u32string out;
  for (int64_t i = s; i <= e; ++i) out.push_back(text_[i]);
  return utf8::Encode(out);
}

std::string NthField(const std::string& text, int n, char c) {
  if (n < 1) return {};
  // The separator as the text spells it (a byte above 0x7F is read as its Windows-1250 letter),
  // searched as a whole sequence so that it never matches inside another character.
  const std::string sep = cp1250::ToUtf8(std::string(1, c));
  size_t begin = 0;  // start of the current field
  for (int field = 1;; ++field) {
    const size_t next = text.find(sep, begin);
    if (field == n) return text.substr(begin, next == std::string::npos ? std::string::npos : next - begin);
    if (next == std::string::npos) return {};
    begin = next + sep.size();
  }
}

std::vector<std::string> Wyrazy(const std::string& text, const std::string& separators) {
  TOrganizatorTekstu org;
  org.UstawSeparatory(separators);
  org.UstawTekst(text);
  std::vector<std::string> wyrazy;
  for (int32_t i = 1; i <= org.LiczbaWyrazow(); ++i) wyrazy.push_back(org.DajWyraz(i));
  return wyrazy;
}
