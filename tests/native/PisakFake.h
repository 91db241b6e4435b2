#pragma once
// A canvas with fixed character widths for painter tests: every character is `charWidth` pixels
// wide (bold ones `boldWidth`), "U" is |font height| pixels high (20 for the default height).
#include <string>
#include <vector>

#include "common/Pisak.h"

namespace pisaktest {

class FakeCanvas : public pisak::Plotno {
 public:
  struct Drawn {
    int x, y;
    std::string text;
    pisak::Czcionka font;
  };
  struct Fill {
    int left, top, right, bottom;
    uint32_t color;
  };

  void SetFont(const pisak::Czcionka& f) override {
    font = f;
    ++fontChanges;
  }
  int TextWidth(const std::string& text) override {
    int chars = 0;
    for (unsigned char c : text)
      if ((c & 0xC0) != 0x80) ++chars;
    return chars * (font.bold ? boldWidth : charWidth);
  }
  int TextHeight(const std::string&) override { return font.height == 0 ? 20 : (font.height < 0 ? -font.height : font.height); }
  void Pisz(int x, int y, const std::string& text) override { drawn.push_back({x, y, text, font}); }
  void FillRect(int l, int t, int r, int b, uint32_t color) override { fills.push_back({l, t, r, b, color}); }

  int charWidth = 10;
  int boldWidth = 12;
  pisak::Czcionka font;
  int fontChanges = 0;
  std::vector<Drawn> drawn;
  std::vector<Fill> fills;
};

}  // namespace pisaktest
