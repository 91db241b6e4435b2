#include "common/Tekst.h"

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/Separatory.h"

namespace pisak {

namespace {

constexpr int32_t kMaxSlice = 255;
constexpr char32_t kKoniec = U'@';  // marks the end of the text in slices and separators

std::string Numer(int32_t n) { return std::to_string(n); }

}  // namespace

TOrganizatorTekstu::TOrganizatorTekstu() { text_.push_back(U'\0'); }

void TOrganizatorTekstu::UstawSeparatory(const std::string& separators) {
  separatory_.Ustaw(separators);
  Podziel();
}

void TOrganizatorTekstu::UstawTekst(const std::string& text) {
  text_ = utf8::Decode(text);
  length_ = static_cast<int32_t>(text_.size());
  text_.push_back(U'\0');
  Podziel();
}

void TOrganizatorTekstu::UstawTekst(const char* text) { UstawTekst(std::string(text ? text : "")); }

void TOrganizatorTekstu::Podziel() {
  words_.clear();
  endings_.clear();
  PodzielNaWyrazy(text_, length_, separatory_, [this](int32_t start, int32_t end) {
    words_.push_back(utf8::Decode(Wycinek(start, end)));
    // Kept apart from the word so that a word too long to store still tells what followed it.
    endings_.push_back(text_[end] == U'\0' ? kKoniec : text_[end]);
  });
}

int32_t TOrganizatorTekstu::LiczbaWyrazow() const { return static_cast<int32_t>(words_.size()); }

std::string TOrganizatorTekstu::DajWyraz(int32_t n) const {
  if (n < 1 || n > LiczbaWyrazow()) {
    ShowMessage("U:Tekst O:TOrganizatorTekstu.DajWyraz => Błędne parametry wejściowe,  nie ma wyrazu nr:" + Numer(n));
    return {};
  }
  const std::u32string& word = words_[n - 1];
  if (word.empty()) return {};
  return utf8::Encode(word.substr(0, word.size() - 1));
}

std::string TOrganizatorTekstu::DajSeparator(int32_t n) const {
  if (n < 1 || n > LiczbaWyrazow()) {
    ShowMessage("U:Tekst O:TOrganizatorTekstu.DajSeparator => Błędne parametry wejściowe,  nie ma wyrazu nr:" +
                Numer(n));
    return "@";
  }
  return utf8::Encode(endings_[n - 1]);
}

std::string TOrganizatorTekstu::Wycinek(int32_t start, int32_t end) const {
  const int64_t s = start, e = end;
  if (e - s > kMaxSlice || e - s > length_ || s < 0 || e > length_) {
    ShowMessage("TOrganizatorTekstu.Wycinek => Błędne dane wyejściowe");
    return {};
  }
  // The slice stops at a NUL (the terminator or one inside the text); a slice cut short that way
  // ends with "@" instead.
  std::u32string out;
  for (int64_t i = s; i <= e && text_[i] != U'\0'; ++i) out.push_back(text_[i]);
  if (static_cast<int64_t>(out.size()) < e - s + 1) out.push_back(kKoniec);
  return utf8::Encode(out);
}

}  // namespace pisak
