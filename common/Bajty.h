#pragma once
// Fixed-layout little-endian records. Each record states its layout once, as a template member
//
//   template <class Pola, class R> static void Uklad(Pola& p, R& r) {
//     p(0, r.a);            // int32_t, uint32_t, uint8_t, bool (one byte) or double at its offset
//     p.Tekst(8, 250, r.s); // short string: length byte + up to 250 Windows-1250 characters
//   }
//
// and Zapisz / Odczytaj walk that one list in either direction, so an offset can never differ
// between writing and reading. Short strings are UTF-8 on our side. Reads never go past the
// buffer: bytes missing at its end read as zero, and a length byte larger than the field allows is
// cut to the field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bajty {

void PutU8(std::vector<uint8_t>& b, size_t at, uint8_t v);
void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v);
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v);
void PutF64(std::vector<uint8_t>& b, size_t at, double v);
// maxChars: the characters the field holds after its length byte; longer text is cut.
void PutShortString(std::vector<uint8_t>& b, size_t at, size_t maxChars, const std::string& utf8);
uint8_t GetU8(const std::vector<uint8_t>& b, size_t at);
int32_t GetI32(const std::vector<uint8_t>& b, size_t at);
uint32_t GetU32(const std::vector<uint8_t>& b, size_t at);
double GetF64(const std::vector<uint8_t>& b, size_t at);
std::string GetShortString(const std::vector<uint8_t>& b, size_t at, size_t maxChars);
// Text cut to at most n characters (code points).
std::string CutToChars(const std::string& utf8, size_t n);

// Writes the fields of a layout into a buffer.
class Pisarz {
 public:
  explicit Pisarz(std::vector<uint8_t>& b) : b_(b) {}
  void operator()(size_t at, uint8_t v) { PutU8(b_, at, v); }
  void operator()(size_t at, bool v) { PutU8(b_, at, v ? 1 : 0); }
  void operator()(size_t at, int32_t v) { PutI32(b_, at, v); }
  void operator()(size_t at, uint32_t v) { PutU32(b_, at, v); }
  void operator()(size_t at, double v) { PutF64(b_, at, v); }
  void Tekst(size_t at, size_t maxChars, const std::string& v) { PutShortString(b_, at, maxChars, v); }

 private:
  std::vector<uint8_t>& b_;
};

// Reads the fields of a layout from a buffer.
class Czytelnik {
 public:
  explicit Czytelnik(const std::vector<uint8_t>& b) : b_(b) {}
  void operator()(size_t at, uint8_t& v) { v = GetU8(b_, at); }
  void operator()(size_t at, bool& v) { v = GetU8(b_, at) != 0; }
  void operator()(size_t at, int32_t& v) { v = GetI32(b_, at); }
  void operator()(size_t at, uint32_t& v) { v = GetU32(b_, at); }
  void operator()(size_t at, double& v) { v = GetF64(b_, at); }
  void Tekst(size_t at, size_t maxChars, std::string& v) { v = GetShortString(b_, at, maxChars); }

 private:
  const std::vector<uint8_t>& b_;
};

// A record's kRozmiar bytes.
template <class Rekord>
std::vector<uint8_t> Zapisz(const Rekord& r) {
  std::vector<uint8_t> b(Rekord::kRozmiar, 0);
  Pisarz p(b);
  Rekord::Uklad(p, r);
  return b;
}

// A record from its bytes (shorter buffers read as zero past their end).
template <class Rekord>
Rekord Odczytaj(const std::vector<uint8_t>& b) {
  Rekord r;
  Czytelnik c(b);
  Rekord::Uklad(c, r);
  return r;
}

}  // namespace bajty
