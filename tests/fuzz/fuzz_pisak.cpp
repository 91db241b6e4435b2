// Fuzz target: the painter's layout and drawing over a canvas with fixed character widths, for any
// text, width and centring. Checks what must hold for every text: every word has a record, lines
// cover the words in order without gaps, the reported height is the sum of the line heights, and
// nothing is drawn outside the lines.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/Pisak.h"
#include "platform/memory/Memory.h"
#include "tests/native/PisakFake.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  platform::memory::TestPlatform platform;
  pisaktest::FakeCanvas canvas;
  pisak::TOPisak pisak;
  pisak.UstawSzerokosc(data[0] * 4);
  pisak.Centrowanie = data[1] & 1;
  pisak.UstawTekst(std::string(reinterpret_cast<const char*>(data + 2), size - 2));

  int32_t height = pisak.WymaganaWysokosc(canvas);
  int32_t words = pisak.LiczbaSlow();
  if (words == 0) {
    if (height != 0) std::abort();
    return 0;
  }
  if (static_cast<int32_t>(pisak.Slowa().size()) != words) std::abort();
  int32_t next = 1, sum = 0;
  for (const auto& line : pisak.Linie()) {
    if (line.first != next || line.last < line.first) std::abort();
    next = line.last + 1;
    sum += static_cast<int32_t>(std::lround(line.height * 1.21));
  }
  if (next != words + 1 || sum != height) std::abort();

  pisak.Rysuj(canvas, 0, 0, 100, 100);
  pisak.Rysuj(canvas, 0, 0, 100, 100);
  int32_t bottom = 0;
  for (const auto& line : pisak.Linie()) bottom += static_cast<int32_t>(std::lround(line.height * 1.22));
  for (const auto& d : canvas.drawn)
    if (d.y < 0 || d.y > bottom) std::abort();
  if (!(canvas.font == pisak.CzcionkaBazowa())) std::abort();
  return 0;
}
