#include "app/WindowLayout.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace orvanto {

namespace {

constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kBlue{0, 0, 192};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kLightGrey{224, 224, 224};

constexpr FontDesc kFactorFont{
    .face = "MS Sans Serif", .tenthsOfPoint = 135, .weight = 700, .western = true};

constexpr Ctl kStep1 = Ctl::frme_Step1;
constexpr Ctl kStep2 = Ctl::frme_Step2;
constexpr Ctl kCalc = Ctl::frme_Calculation;

// One row per control, in the order of Ctl.
constexpr std::array<ControlDesc, kControlCount> kControls{{
    // Directly on the window.
    {.id = Ctl::btn_LangSwitch,
     .name = "btn_LangSwitch",
     .kind = Kind::CommandButton,
     .rect = {11520, 6120, 1455, 495},
     .tabIndex = 42,
     .german = "> English",
     .english = "> Deutsch",
     .englishStep = 18},
    {.id = Ctl::frme_Step2,
     .name = "frme_Step2",
     .kind = Kind::Frame,
     .rect = {7200, 120, 5775, 3135},
     .tabIndex = 26,
     .german = "Schritt 2: Berechnung des Scale-Factors",
     .english = "Step 2: calculate scale-factor",
     .englishStep = 4},
    {.id = Ctl::frme_Step1,
     .name = "frme_Step1",
     .kind = Kind::Frame,
     .rect = {120, 120, 6975, 5895},
     .tabIndex = 23,
     .german = "Schritt 1: CFFL-Datei für Quenza erzeugen",
     .english = "Step 1: generate CFFL-file for Quenza",
     .englishStep = 2},
    {.id = Ctl::frme_Calculation,
     .name = "frme_Calculation",
     .kind = Kind::Frame,
     .rect = {7200, 3360, 5775, 2655},
     .tabIndex = 10,
     .german = "Berechnung",
     .english = "Calculation",
     .englishStep = 11},
    {.id = Ctl::dsp_Anleitung,
     .name = "dsp_Anleitung",
     .kind = Kind::Label,
     .rect = {4920, 6240, 2535, 255},
     .tabIndex = 43,
     .german = "Anleitung: tolva.de/orvanto",
     .english = "Manual: tolva.de/orvanto",
     .englishStep = 19},
    {.id = Ctl::img_Sprache,
     .name = "img_Sprache",
     .kind = Kind::Image,
     .rect = {10920, 6120, 480, 480}},
    {.id = Ctl::img_Deutsch,
     .name = "img_Deutsch",
     .kind = Kind::Image,
     .rect = {9120, 6120, 480, 480},
     .visible = false,
     .picture = Picture::GermanFlag},
    {.id = Ctl::img_English,
     .name = "img_English",
     .kind = Kind::Image,
     .rect = {8520, 6120, 480, 480},
     .visible = false,
     .picture = Picture::BritishFlag},
    {.id = Ctl::Label19,
     .name = "Label19",
     .kind = Kind::Label,
     .rect = {120, 6240, 3495, 255},
     .tabIndex = 41,
     .german = "Copyright © 2026 Tolva"},

    // Step 1: the CFFL file.
    {.id = Ctl::lst_Drive,
     .name = "lst_Drive",
     .kind = Kind::DriveList,
     .container = kStep1,
     .rect = {240, 1440, 3615, 315},
     .tabIndex = 1,
     .caption = Ctl::dsp_Outputdir},
    {.id = Ctl::lst_Path,
     .name = "lst_Path",
     .kind = Kind::DirList,
     .container = kStep1,
     .rect = {240, 1920, 3615, 3690},
     .tabIndex = 2},
    {.id = Ctl::lst_File,
     .name = "lst_File",
     .kind = Kind::FileList,
     .container = kStep1,
     .rect = {3960, 1440, 2775, 3600},
     .tabIndex = 3},
    {.id = Ctl::inp_Filename,
     .name = "inp_Filename",
     .kind = Kind::TextBox,
     .container = kStep1,
     .rect = {2040, 480, 975, 285},
     .tabIndex = 0,
     .german = "MOVIE",
     .caption = Ctl::dsp_LabelCFFLName},
    {.id = Ctl::btn_MakeCFFL,
     .name = "btn_MakeCFFL",
     .kind = Kind::CommandButton,
     .container = kStep1,
     .rect = {5280, 5160, 1455, 495},
     .tabIndex = 4,
     .german = "CFFL erzeugen",
     .english = "Make CFFL",
     .englishStep = 3},
    {.id = Ctl::dsp_Outputdir,
     .name = "dsp_Outputdir",
     .kind = Kind::Label,
     .container = kStep1,
     .rect = {240, 1080, 2295, 255},
     .tabIndex = 38,
     .german = "IFO-Edit Ausgabeverzeichnis",
     .english = "IFO-Edit output-directory",
     .englishStep = 17,
     .textColour = kNavy},
    {.id = Ctl::dsp_LabelCFFLName,
     .name = "dsp_LabelCFFLName",
     .kind = Kind::Label,
     .container = kStep1,
     .rect = {240, 480, 1815, 255},
     .tabIndex = 25,
     .german = "Dateiname CFFL-Datei",
     .english = "Filename of CFFL-file",
     .englishStep = 1,
     .textColour = kNavy},
    {.id = Ctl::Label17,
     .name = "Label17",
     .kind = Kind::Label,
     .container = kStep1,
     .rect = {3120, 480, 495, 255},
     .tabIndex = 24,
     .german = ".CFFL"},

    // Step 2: the inputs of the calculation.
    {.id = Ctl::btn_Calculate,
     .name = "btn_Calculate",
     .kind = Kind::CommandButton,
     .container = kStep2,
     .rect = {4080, 2400, 1455, 495},
     .tabIndex = 9,
     .german = "Berechnen",
     .english = "Calculate",
     .englishStep = 10},
    {.id = Ctl::inp_SourceSize,
     .name = "inp_SourceSize",
     .kind = Kind::TextBox,
     .container = kStep2,
     .rect = {4560, 360, 495, 285},
     .tabIndex = 27,
     .backColour = kLightGrey,
     .rightAligned = true,
     .tooltipPrefix = "Beispiel: ",
     .tooltipValue = "5,23",
     .caption = Ctl::dsp_SizeOutput},
    {.id = Ctl::inp_DestSize,
     .name = "inp_DestSize",
     .kind = Kind::TextBox,
     .container = kStep2,
     .rect = {4560, 720, 495, 285},
     .tabIndex = 5,
     .german = "4,37",
     .rightAligned = true,
     .tooltipPrefix = "Standard: ",
     .tooltipValue = "4,37",
     .caption = Ctl::dsp_DestSize},
    {.id = Ctl::inp_Playtime,
     .name = "inp_Playtime",
     .kind = Kind::TextBox,
     .container = kStep2,
     .rect = {4440, 1080, 615, 285},
     .tabIndex = 6,
     .rightAligned = true,
     .tooltipPrefix = "Beispiel: ",
     .tooltipValue = "8356,1",
     .caption = Ctl::dsp_Playtime},
    {.id = Ctl::inp_Bitrate,
     .name = "inp_Bitrate",
     .kind = Kind::TextBox,
     .container = kStep2,
     .rect = {4200, 1440, 855, 285},
     .tabIndex = 7,
     .rightAligned = true,
     .tooltipPrefix = "Beispiel: ",
     .tooltipValue = "5390000",
     .caption = Ctl::dsp_Bitrate},
    {.id = Ctl::inp_SafeGuard,
     .name = "inp_SafeGuard",
     .kind = Kind::TextBox,
     .container = kStep2,
     .rect = {4560, 1800, 495, 285},
     .tabIndex = 8,
     .german = "2",
     .rightAligned = true,
     .tooltipPrefix = "Standard: ",
     .tooltipValue = "2",
     .caption = Ctl::dsp_Safety},
    {.id = Ctl::dsp_Duration,
     .name = "dsp_Duration",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {2160, 1080, 2175, 255},
     .tabIndex = 40,
     .rightAligned = true},
    {.id = Ctl::dsp_MBit,
     .name = "dsp_MBit",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {2880, 1440, 1215, 255},
     .tabIndex = 39,
     .rightAligned = true},
    {.id = Ctl::dsp_SizeOutput,
     .name = "dsp_SizeOutput",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {240, 360, 3735, 255},
     .tabIndex = 37,
     .german = "Größe des Ausgabeverzeichnisses nach IfoEdit",
     .english = "Size of output-directory after IFOEdit",
     .englishStep = 5,
     .textColour = kNavy},
    {.id = Ctl::dsp_DestSize,
     .name = "dsp_DestSize",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {240, 720, 2535, 255},
     .tabIndex = 36,
     .german = "Zielgröße für die DVD+R/RW",
     .english = "Destination size for DVD+R/RW",
     .englishStep = 6,
     .textColour = kNavy},
    {.id = Ctl::dsp_Playtime,
     .name = "dsp_Playtime",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {240, 1080, 1695, 255},
     .tabIndex = 35,
     .german = "Spieldauer lt. Quenza",
     .english = "Playing time (Quenza)",
     .englishStep = 7,
     .textColour = kNavy},
    {.id = Ctl::dsp_Bitrate,
     .name = "dsp_Bitrate",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {240, 1440, 1815, 255},
     .tabIndex = 34,
     .german = "Avg. Bitrate lt. Quenza",
     .english = "Avg. Bitrate (Quenza)",
     .englishStep = 8,
     .textColour = kNavy},
    {.id = Ctl::Label5,
     .name = "Label5",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {5160, 360, 255, 255},
     .tabIndex = 33,
     .german = "GB"},
    {.id = Ctl::Label6,
     .name = "Label6",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {5160, 1080, 255, 255},
     .tabIndex = 32,
     .german = "s"},
    {.id = Ctl::Label7,
     .name = "Label7",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {5160, 1440, 495, 255},
     .tabIndex = 31,
     .german = "bit/s"},
    {.id = Ctl::dsp_Safety,
     .name = "dsp_Safety",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {240, 1800, 1695, 255},
     .tabIndex = 30,
     .german = "Sicherheitsreserve",
     .english = "Safety reserve",
     .englishStep = 9,
     .textColour = kNavy},
    {.id = Ctl::Label14,
     .name = "Label14",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {5160, 1800, 375, 255},
     .tabIndex = 29,
     .german = "%"},
    {.id = Ctl::Label15,
     .name = "Label15",
     .kind = Kind::Label,
     .container = kStep2,
     .rect = {5160, 720, 255, 255},
     .tabIndex = 28,
     .german = "GB"},

    // The results of the calculation.
    {.id = Ctl::pct_Range,
     .name = "pct_Range",
     .kind = Kind::PictureBox,
     .container = kCalc,
     .rect = {2160, 2040, 2055, 375},
     .tabIndex = 44},
    {.id = Ctl::dsp_NewBr,
     .name = "dsp_NewBr",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {4320, 2160, 1335, 255},
     .tabIndex = 45},
    {.id = Ctl::dsp_Factor,
     .name = "dsp_Factor",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {240, 2160, 1095, 255},
     .tabIndex = 22,
     .german = "Zielfaktor",
     .english = "Scalefactor",
     .englishStep = 16},
    {.id = Ctl::dsp_DestFactor,
     .name = "dsp_DestFactor",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {1200, 2040, 855, 375},
     .tabIndex = 21,
     .textColour = kRed,
     .rightAligned = true,
     .font = kFactorFont},
    {.id = Ctl::dsp_SizeMovie,
     .name = "dsp_SizeMovie",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {240, 720, 1335, 255},
     .tabIndex = 20,
     .german = "Größe Film",
     .english = "Size movie",
     .englishStep = 14},
    {.id = Ctl::dsp_FilmSize,
     .name = "dsp_FilmSize",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {1920, 720, 1695, 255},
     .tabIndex = 19,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::dsp_SizeAudio,
     .name = "dsp_SizeAudio",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {240, 1080, 1455, 255},
     .tabIndex = 18,
     .german = "Größe Audio",
     .english = "Size audio",
     .englishStep = 15},
    {.id = Ctl::dsp_AudioSize,
     .name = "dsp_AudioSize",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {1920, 1080, 1695, 255},
     .tabIndex = 17,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::dsp_DestFilmSize,
     .name = "dsp_DestFilmSize",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {3960, 720, 1455, 255},
     .tabIndex = 16,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::dsp_DestAudioSize,
     .name = "dsp_DestAudioSize",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {3960, 1080, 1455, 255},
     .tabIndex = 15,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::Line1,
     .name = "Line1",
     .kind = Kind::Line,
     .container = kCalc,
     .rect = {240, 1440, 5160, 0}},
    {.id = Ctl::dsp_SumSource,
     .name = "dsp_SumSource",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {1920, 1560, 1695, 255},
     .tabIndex = 14,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::dsp_SumDest,
     .name = "dsp_SumDest",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {3960, 1560, 1455, 255},
     .tabIndex = 13,
     .textColour = kBlue,
     .rightAligned = true},
    {.id = Ctl::dsp_Source,
     .name = "dsp_Source",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {1920, 360, 1695, 255},
     .tabIndex = 12,
     .german = "Quelle",
     .english = "Source",
     .englishStep = 12,
     .rightAligned = true},
    {.id = Ctl::dsp_Destination,
     .name = "dsp_Destination",
     .kind = Kind::Label,
     .container = kCalc,
     .rect = {3720, 360, 1695, 255},
     .tabIndex = 11,
     .german = "Ziel",
     .english = "Destination",
     .englishStep = 13,
     .rightAligned = true},
    {.id = Ctl::Line2,
     .name = "Line2",
     .kind = Kind::Line,
     .container = kCalc,
     .rect = {3840, 360, 0, 1560}},
}};

constexpr bool TakesTabIndex(Kind kind) { return kind != Kind::Line && kind != Kind::Image; }

// Labels and frames take a tab index but are no tab stops.
constexpr bool IsTabStop(Kind kind) {
  return kind == Kind::CommandButton || kind == Kind::TextBox || kind == Kind::DriveList ||
         kind == Kind::DirList || kind == Kind::FileList;
}

constexpr bool IsCaption(Ctl id) {
  return std::ranges::any_of(kControls,
                             [id](const ControlDesc& desc) { return desc.caption == id; });
}

// Rules first, then the controls in tab-index order, the frames last; stable otherwise.
constexpr bool CreatedBefore(const ControlDesc& a, const ControlDesc& b) {
  const auto layer = [](const ControlDesc& d) {
    return d.kind == Kind::Line ? 0 : d.kind == Kind::Frame ? 2 : 1;
  };
  return layer(a) != layer(b) ? layer(a) < layer(b) : a.tabIndex < b.tabIndex;
}

constexpr std::array<Ctl, kControlCount> MakeCreationOrder() {
  std::array<const ControlDesc*, kControlCount> sorted{};
  for (size_t i = 0; i < kControlCount; ++i) sorted[i] = &kControls[i];
  for (size_t i = 1; i < kControlCount; ++i) {  // insertion sort: stable, and constexpr
    for (size_t j = i; j > 0 && CreatedBefore(*sorted[j], *sorted[j - 1]); --j) {
      std::swap(sorted[j], sorted[j - 1]);
    }
  }
  std::array<Ctl, kControlCount> order{};
  size_t next = 0;
  for (const ControlDesc* desc : sorted) {
    if (IsCaption(desc->id)) continue;  // placed with its input
    if (desc->caption) order[next++] = *desc->caption;
    order[next++] = desc->id;
  }
  return order;
}

constexpr std::array<Ctl, kControlCount> kCreationOrder = MakeCreationOrder();

// The invariants of the description, checked as it compiles.

constexpr bool RowsFollowCtl() {
  for (size_t i = 0; i < kControlCount; ++i) {
    if (Index(kControls[i].id) != i) return false;
  }
  return true;
}
static_assert(RowsFollowCtl(), "one row per control, in the order of Ctl");

constexpr bool TabIndicesRunWithoutGaps() {
  std::array<int, kControlCount> uses{};
  int count = 0;
  for (const ControlDesc& d : kControls) {
    if (!TakesTabIndex(d.kind)) {
      if (d.tabIndex != -1) return false;
      continue;
    }
    if (d.tabIndex < 0 || d.tabIndex >= static_cast<int>(kControlCount)) return false;
    if (uses[static_cast<size_t>(d.tabIndex)]++ > 0) return false;
    ++count;
  }
  for (int i = 0; i < count; ++i) {
    if (uses[static_cast<size_t>(i)] != 1) return false;
  }
  return count == 46;
}
static_assert(TabIndicesRunWithoutGaps(), "tab indices 0..45, once each, lines and images none");

constexpr bool EveryControlInsideItsContainer() {
  for (const ControlDesc& d : kControls) {
    int width = kClientWidthTwips;
    int height = kClientHeightTwips;
    if (d.container) {
      const ControlDesc& frame = kControls[Index(*d.container)];
      if (frame.kind != Kind::Frame || frame.container) return false;
      width = frame.rect.width;
      height = frame.rect.height;
    }
    const TwipsRect& r = d.rect;
    if (r.left < 0 || r.top < 0 || r.left + r.width > width || r.top + r.height > height) {
      return false;
    }
  }
  return true;
}
static_assert(EveryControlInsideItsContainer());

constexpr bool CaptionsNameInputs() {
  int pairs = 0;
  for (const ControlDesc& d : kControls) {
    if (!d.caption) continue;
    const ControlDesc& caption = kControls[Index(*d.caption)];
    if (!IsTabStop(d.kind) || d.kind == Kind::CommandButton) return false;
    if (caption.kind != Kind::Label || caption.caption || caption.container != d.container) {
      return false;
    }
    for (const ControlDesc& other : kControls) {
      if (&other != &d && other.caption == d.caption) return false;
    }
    ++pairs;
  }
  return pairs == 7;
}
static_assert(CaptionsNameInputs(), "seven inputs, each named by a label of its own");

constexpr bool CreationOrderKeepsCaptionsAndTabs() {
  std::array<int, kControlCount> seen{};
  int lastTab = -1;
  for (size_t i = 0; i < kControlCount; ++i) {
    const ControlDesc& d = kControls[Index(kCreationOrder[i])];
    if (seen[Index(d.id)]++ > 0) return false;
    if (d.caption && (i == 0 || kCreationOrder[i - 1] != *d.caption)) return false;
    if (IsTabStop(d.kind)) {
      if (d.tabIndex < lastTab) return false;
      lastTab = d.tabIndex;
    }
  }
  return true;
}
static_assert(CreationOrderKeepsCaptionsAndTabs(),
              "each caption right before its input, the tab stops in tab-index order");

}  // namespace

const std::array<ControlDesc, kControlCount>& Controls() { return kControls; }

const ControlDesc& Describe(Ctl control) { return kControls[Index(control)]; }

std::array<Ctl, kControlCount> CreationOrder() { return kCreationOrder; }

ControlColours ColoursOf(const ControlDesc& desc, bool highContrast) {
  const bool field = desc.kind == Kind::TextBox || desc.kind == Kind::DriveList ||
                     desc.kind == Kind::DirList || desc.kind == Kind::FileList;
  const ControlColours scheme{field ? SystemColour::WindowText : SystemColour::ButtonText,
                              field ? SystemColour::Window : SystemColour::ButtonFace};
  if (highContrast) return scheme;
  return {desc.textColour ? Colour{*desc.textColour} : scheme.text,
          desc.backColour ? Colour{*desc.backColour} : scheme.back};
}

std::string TooltipText(const ControlDesc& desc) {
  if (desc.tooltipPrefix.empty()) return {};
  return std::string(desc.tooltipPrefix) + '"' + std::string(desc.tooltipValue) + '"';
}

int ScaleTwips(int twips, int dpi) {
  // MulDiv(twips, dpi, 1440): the exact quotient rounded half away from zero.
  const std::int64_t product = std::int64_t{twips} * dpi;
  const std::int64_t half = kTwipsPerInch / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kTwipsPerInch
                                       : -((-product + half) / kTwipsPerInch));
}

TwipsRect ClientTwips(Ctl control) {
  TwipsRect rect = Describe(control).rect;
  if (const auto frame = Describe(control).container) {
    rect.left += Describe(*frame).rect.left;
    rect.top += Describe(*frame).rect.top;
  }
  return rect;
}

PixelRect ClientPixels(Ctl control, int dpi) {
  // Edges are scaled rather than sizes, so that controls ending on the same twip end on the same
  // pixel at every DPI.
  const TwipsRect t = ClientTwips(control);
  const int left = ScaleTwips(t.left, dpi);
  const int top = ScaleTwips(t.top, dpi);
  return {left, top, ScaleTwips(t.left + t.width, dpi) - left,
          ScaleTwips(t.top + t.height, dpi) - top};
}

}  // namespace orvanto
