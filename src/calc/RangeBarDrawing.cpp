#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/frm_Main.h"

namespace orvanto {

namespace {

constexpr double kFullScale = 9000000;  // bit/s at the right edge of the bar
constexpr Rgb kBlack{0, 0, 0};

// To the nearest whole number, exact halves to the even neighbour (the default rounding mode).
std::uint8_t Component(double value) { return static_cast<std::uint8_t>(std::nearbyint(value)); }

// Red through yellow and green to white, for the step i from 0 to 100.
Rgb BandColour(int i) {
  if (i <= 50) return {255, Component(i * (255.0 / 50)), 0};
  if (i <= 66) return {Component(255 - (i - 51) * (255.0 / 15)), 255, 0};
  const std::uint8_t grey = Component((i - 67) * (255.0 / 33));
  return {grey, 255, grey};
}

}  // namespace

void frm_Main::DrawRangeBar(double newBitrate) {
  Canvas& canvas = ports_.canvas;
  canvas.Clear();
  // Beyond full scale the marker sits on the right edge. Left of the bar it is clipped wherever
  // it lies; bounding it a bar's width out keeps a wildly negative bitrate (reachable after a Yes
  // to the low-bitrate question) within what the canvas can turn into pixels.
  const double marker = std::clamp(newBitrate / kFullScale * 100, -100.0, 100.0);
  canvas.SetScale(100, 100);
  // Each rectangle is five units wide but the next starts one unit on, so the band shows c(i)
  // between i and i + 1 without gaps; the overhang past the right edge is clipped.
  for (int i = 0; i <= 100; ++i) {
    canvas.FillRect(static_cast<float>(i), 20, static_cast<float>(i + 5), 80, BandColour(i));
  }
  canvas.Line(static_cast<float>(marker), 0, static_cast<float>(marker), 100, kBlack);
}

}  // namespace orvanto
