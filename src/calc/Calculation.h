#pragma once

#include <string>
#include <vector>

#include "common/Message.h"
#include "common/NumberText.h"
#include "platform/Canvas.h"

namespace orvanto {

// The five numbers of step 2, as read from their boxes.
struct CalcInputs {
  double sourceGb = 0;        // size of the IFOEdit output directory
  double targetGb = 0;        // size of the disc
  double playtime = 0;        // seconds, as Quenza reports it
  double bitrate = 0;         // bit/s, Quenza's average
  double reservePercent = 0;  // kept free on the disc
};

// Sizes in MB (1 GB = 1024 MB); the audio passes through the re-encoder unchanged. Absurd inputs
// overflow or divide by zero into IEEE infinities or NaN, which the labels show as a placeholder.
struct CalcResult {
  double movie = 0, audio = 0, newMovie = 0, sumSource = 0, sumDest = 0;
  double factor = 0;      // per cent
  double newBitrate = 0;  // bit/s
  // The new bitrate means something only for a factor in (0, 100] and a bitrate within double.
  bool HasNewBitrate() const;
};

CalcResult Calculate(const CalcInputs& in);

// The questions that values outside what a DVD+R/RW movie usually has raise, in the order they
// are asked; a value on a bound is still plausible.
std::vector<const Message*> Doubts(const CalcInputs& in);

// The range bar: the colour of band step 0..100 (red through yellow and green to white), and
// where the marker of a bitrate stands on the bar's 0..100 scale.
Rgb BandColour(int step);
double MarkerPosition(double newBitrate);

// The read-outs beside the bitrate and playing-time boxes.
std::string BitrateReadOut(double bitsPerSecond, const NumberSeparators& separators);
std::string DurationReadOut(double seconds, const NumberSeparators& separators);

}  // namespace orvanto
