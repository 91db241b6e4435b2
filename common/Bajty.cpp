#include "common/Bajty.h"

#include <cstring>

#include "base/Cp1250.h"
#include "common/Tekstowe.h"

namespace bajty {

namespace {
// Grows the buffer when a field would end past it, so that writers never overrun.
void Ensure(std::vector<uint8_t>& b, size_t end) {
  if (b.size() < end) b.resize(end, 0);
}
}  // namespace

void PutU8(std::vector<uint8_t>& b, size_t at, uint8_t v) {
  Ensure(b, at + 1);
  b[at] = v;
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Ensure(b, at + 4);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v) { PutU32(b, at, static_cast<uint32_t>(v)); }

void PutF64(std::vector<uint8_t>& b, size_t at, double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  Ensure(b, at + 8);
  for (int i = 0; i < 8; ++i) b[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

void PutShortString(std::vector<uint8_t>& b, size_t at, size_t maxChars, const std::string& utf8) {
  std::string bytes = cp1250::FromUtf8(utf8);
  if (bytes.size() > maxChars) bytes.resize(maxChars);
  Ensure(b, at + 1 + maxChars);
  b[at] = static_cast<uint8_t>(bytes.size());
  for (size_t i = 0; i < maxChars; ++i) b[at + 1 + i] = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
}

uint8_t GetU8(const std::vector<uint8_t>& b, size_t at) { return at < b.size() ? b[at] : 0; }

uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(GetU8(b, at + i)) << (8 * i);
  return v;
}

int32_t GetI32(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(GetU32(b, at)); }

double GetF64(const std::vector<uint8_t>& b, size_t at) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(GetU8(b, at + i)) << (8 * i);
  double v = 0;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::string GetShortString(const std::vector<uint8_t>& b, size_t at, size_t maxChars) {
  size_t n = GetU8(b, at);
  if (n > maxChars) n = maxChars;
  std::string bytes;
  for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<char>(GetU8(b, at + 1 + i)));
  return cp1250::ToUtf8(bytes);
}

std::string CutToChars(const std::string& text, size_t n) {
  std::u32string cps = utf8::Decode(text);
  if (cps.size() <= n) return text;
  cps.resize(n);
  return utf8::Encode(cps);
}

}  // namespace bajty
