#include "calc/Calculation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/Messages.h"

namespace orvanto {

static_assert(std::numeric_limits<double>::is_iec559);

namespace {

constexpr double kLowBitrate = 3500000, kHighBitrate = 9000000;  // bit/s
constexpr double kShortPlaytime = 4800, kLongPlaytime = 7200;    // seconds
constexpr double kSmallReserve = 0.5, kLargeReserve = 2;         // per cent
constexpr double kSmallDisc = 4.2, kLargeDisc = 4.4;             // GB
constexpr double kFullScale = 9000000;                           // bit/s at the bar's right edge

// To the nearest whole number, exact halves to the even neighbour (the default rounding mode).
std::uint8_t Component(double value) { return static_cast<std::uint8_t>(std::nearbyint(value)); }

}  // namespace

bool CalcResult::HasNewBitrate() const {
  return factor > 0 && factor <= 100 && std::isfinite(newBitrate);
}

CalcResult Calculate(const CalcInputs& in) {
  CalcResult r;
  const double source = in.sourceGb * 1024;
  const double target = in.targetGb * 1024 * ((100 - in.reservePercent) / 100);
  r.movie = in.bitrate / 8 / 1024 / 1024 * in.playtime;
  r.audio = source - r.movie;
  r.newMovie = target - r.audio;
  r.sumSource = r.movie + r.audio;
  r.sumDest = r.newMovie + r.audio;
  r.factor = r.newMovie / r.movie * 100;
  r.newBitrate = in.bitrate * r.factor / 100;
  return r;
}

std::vector<const Message*> Doubts(const CalcInputs& in) {
  const struct {
    bool doubtful;
    const Message* question;
  } checks[] = {
      {in.bitrate < kLowBitrate, &msg::kLowBitrate},
      {in.bitrate > kHighBitrate, &msg::kHighBitrate},
      {in.playtime < kShortPlaytime, &msg::kShortPlaytime},
      {in.playtime > kLongPlaytime, &msg::kLongPlaytime},
      {in.reservePercent < kSmallReserve, &msg::kSmallReserve},
      {in.reservePercent > kLargeReserve, &msg::kLargeReserve},
      {in.targetGb < kSmallDisc || in.targetGb > kLargeDisc, &msg::kNoDvdSize},
      // The sizes as typed: the reserve plays no part, and equal sizes are no reason to ask.
      {in.sourceGb < in.targetGb, &msg::kFitsAlready},
  };
  std::vector<const Message*> questions;
  for (const auto& check : checks) {
    if (check.doubtful) questions.push_back(check.question);
  }
  return questions;
}

Rgb BandColour(int step) {
  if (step <= 50) return {255, Component(step * (255.0 / 50)), 0};
  if (step <= 66) return {Component(255 - (step - 51) * (255.0 / 15)), 255, 0};
  const std::uint8_t grey = Component((step - 67) * (255.0 / 33));
  return {grey, 255, grey};
}

double MarkerPosition(double newBitrate) {
  // Beyond full scale the marker sits on the right edge. Left of the bar it is clipped wherever
  // it lies; bounding it a bar's width out keeps a wildly negative bitrate (reachable after a Yes
  // to the low-bitrate question) within what a canvas can turn into pixels.
  return std::clamp(newBitrate / kFullScale * 100, -100.0, 100.0);
}

std::string BitrateReadOut(double bitsPerSecond, const NumberSeparators& separators) {
  return FormatNumber(bitsPerSecond / 1024 / 1024, NumberPattern::Grouped2Decimals, separators) +
         " MBit";
}

std::string DurationReadOut(double seconds, const NumberSeparators& separators) {
  // Both minute counts round up on their own: 3599 s reads "60 Min (0h 60m)", never "1h 00m".
  // Everything stays in double (huge texts such as "1e300" are numbers too) and the formatting
  // turns what is not finite into the placeholder.
  const double minutes = std::ceil(seconds / 60);
  const double hours = std::floor(seconds / 3600);
  const double minutesInHour = std::ceil((seconds - 3600 * hours) / 60);
  return FormatNumber(minutes, NumberPattern::Grouped, separators) + " Min (" + FormatFloor(hours) +
         "h " + FormatNumber(minutesInHour, NumberPattern::TwoDigits, separators) + "m)";
}

}  // namespace orvanto
