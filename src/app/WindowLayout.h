#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Controls.h"

namespace orvanto {

// The window description: every control of the main window as data, from which the platform
// layer creates the window and the handlers take their English captions.

inline constexpr std::string_view kDesignTitle = "Orvanto";
inline constexpr int kClientWidthTwips = 13095;
inline constexpr int kClientHeightTwips = 6690;
inline constexpr int kTwipsPerInch = 1440;

enum class Kind {
  CommandButton,
  TextBox,
  Label,
  Frame,
  DriveList,
  DirList,
  FileList,
  Image,
  PictureBox,
  Line,
};

enum class Picture { None, GermanFlag, BritishFlag };

// Twips, relative to the container. A line runs from (left, top) to (left + width, top + height).
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct FontDesc {
  std::string_view face;
  int tenthsOfPoint = 0;
  int weight = 400;
  bool western = false;  // the Western character set rather than the system's default
};

// The window's own font. The twips of the layout fit the classic 8-point dialog font, so the
// window never follows the user's message font (Segoe UI 9 pt on Windows 10 and 11 would not fit);
// Windows maps this face to Tahoma on every version, and so does Wine.
inline constexpr FontDesc kWindowFont{.face = "MS Shell Dlg 2", .tenthsOfPoint = 80};

struct ControlDesc {
  Ctl id;
  std::string_view name;
  Kind kind;
  std::optional<Ctl> container;  // the frame holding the control; none for the window itself
  TwipsRect rect;
  int tabIndex = -1;         // -1 for lines and images, which never take part
  std::string_view german;   // design-time caption or contents
  std::string_view english;  // caption set by ApplyEnglishCaptions; empty when unchanged
  int englishStep = 0;       // position in ApplyEnglishCaptions; 0 when unchanged
  std::optional<Rgb> textColour;
  std::optional<Rgb> backColour;
  bool rightAligned = false;
  std::string_view tooltipPrefix;  // tooltip: prefix + value in double quotes
  std::string_view tooltipValue;
  bool visible = true;
  Picture picture = Picture::None;
  std::optional<FontDesc> font;  // none: the window's default font
  // The label that names this input. Screen readers name an input without text of its own after
  // the static text just before it in z-order, so the caption is created right before it.
  std::optional<Ctl> caption;
};

// Every control, indexed by Ctl.
const std::array<ControlDesc, kControlCount>& Controls();
const ControlDesc& Describe(Ctl control);

// The order in which the window creates its controls, which is their z-order and, among the tab
// stops, their tab order: the rules above the labels they cross, then the controls in tab-index
// order with each caption moved right before the input it names, and the frames at the bottom so
// that they never hide what they hold.
std::array<Ctl, kControlCount> CreationOrder();

// The colours a control is drawn in. With high contrast off, the described ones, and the user's
// scheme where none is described; with high contrast on, the scheme's alone, so that no fixed
// colour stands on a background the user chose. Text boxes and lists take the scheme's window
// colours, everything else those of the window's face.
struct ControlColours {
  Colour text, back;
  friend bool operator==(const ControlColours&, const ControlColours&) = default;
};
ControlColours ColoursOf(const ControlDesc& desc, bool highContrast);

// The tooltip text of a control; empty when it has none.
std::string TooltipText(const ControlDesc& desc);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips at `dpi` dots per inch, rounded to the nearest pixel as MulDiv rounds.
int ScaleTwips(int twips, int dpi);

// The control's rectangle in the client area of the window, in twips and in pixels at `dpi`.
TwipsRect ClientTwips(Ctl control);
PixelRect ClientPixels(Ctl control, int dpi);

}  // namespace orvanto
