#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "app/CommandLine.h"
#include "common/Messages.h"

namespace orvanto {
namespace {

using namespace fakes;
using enum MessageStyle;

// Every text the program shows in a message box, literally, with its typos; "{}" is the subject.
TEST(Messages, SayExactlyThis) {
  using namespace msg;
  // Endings that several texts share.
  const std::string check = " - bitte die Eingabe prüfen!", please = " - please check!";
  const std::string goOn = " Trotzdem fortfahren ?", anyway = " Continue anyway ?";
  const std::string stop = " Der Vorgang wurde abgebrochen.";
  const std::string cancel = " The process has been cancelled.";
  const struct {
    const Message& message;
    std::string german, english;
  } texts[] = {
      {kTitleError, "Fehler", "Error"},
      {kTitleNote, "Hinweis", "Note"},
      {kTitleQuestion, "Frage", "Question"},
      {kNotNumeric,
       "Mindestens eines der Eingabefelder enthält keinen oder keinen numerischen Wert!",
       "At least one of the input-fields is not numeric or empty!"},
      {kLowBitrate, "Die Bitrate ist auffällig niedrig" + check + goOn,
       "The bitrate is conspiciously low" + please + anyway},
      {kHighBitrate, "Die Bitrate ist auffällig hoch" + check + goOn,
       "The bitrate is conspicously high" + please + anyway},
      {kShortPlaytime, "Die Spieldauer ist auffällig kurz" + check + goOn,
       "The playing time is conspicously short" + please + anyway},
      {kLongPlaytime, "Die Spieldauer ist auffällig lang" + check + goOn,
       "The playing time is conspicously long" + please + anyway},
      {kSmallReserve, "Die Sicherheitsreserve ist sehr klein!" + goOn,
       "The safety reserve is very small!" + anyway},
      {kLargeReserve, "Die Sicherheitsreserve ist auffällig groß!" + goOn,
       "The safety reserve is conspicously large!" + anyway},
      {kNoDvdSize, "Die Zielgröße scheint nicht einem DVD-Medium zu entsprechen!" + goOn,
       "The destination size seems not to correspond to a DVD+R/RW!" + anyway},
      {kFitsAlready,
       "Das Ausgabeverzeichnis paßt ohne Recodierung auf die angegebene Zielgröße!" + goOn,
       "The destination directory fits to the entered destination size without recoding!" + anyway},
      {kEmptyName, "Kein Dateiname für die CFFL-Datei angegeben!",
       "No filename specified for CFFL-file!"},
      {kBadName,
       "Der Dateiname '{}' ist ungültig: Er darf keines der Zeichen \\ / : * ? \" < > | und "
       "keine Steuerzeichen enthalten und kein Gerätename wie CON oder NUL sein.",
       "The filename '{}' is invalid: it must not contain any of the characters \\ / : * ? \" "
       "< > | or control characters and must not be a device name such as CON or NUL."},
      {kOverwrite, "Die Datei '{}' existiert bereits. Soll sie überschrieben werden ?",
       "The file '{}' already exists. Overwrite it ?"},
      {kOtherCffl,
       "Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen Namen. Es wird dringend "
       "empfohlen, diese Datei zu löschen, bevor eine neue CFFL-Datei erstellt wird, um "
       "Verwechslungen vorzubeugen! Soll die andere CFFL-Datei gelöscht werden ?",
       "The destination path contains a CFFL-file with another name. It is strongly suggested "
       "to delete this file before creating new CFFL to prevent mixups! Delete other "
       "CFFL-file ?"},
      {kVinf,
       "Das Zielverzeichnis enthält eine CFFL.VINF-Datei, was darauf hindeutet, daß Quenza die "
       "vorhandene CFFL-Datei bereits bearbeitet hat. Es wird dringend empfohlen, diese Datei "
       "zu löschen, bevor die neue CFFL-Datei benutzt wird! Soll die CFFL.VINF-Datei gelöscht "
       "werden ?",
       "The destination path contains a CFFL.VINF-file, what indicates that Quenza has already "
       "processed the existing CFFL-file. It is strongly suggested to delete this file before "
       "using Quenza with the new CFFL! Delete CFFL.VINF-file ?"},
      {kNameWarning,
       "Einige oder alle VOB-Dateien im Zielverzeichnis haben einen anderen Primärnummernkreis "
       "als '01' - dies deutet darauf hin, daß das Verzeichnis kein IFOEdit-Zielverzeichnis "
       "ist. Trotzdem weitermachen ?",
       "Some or all VOB-files in the output directory have a primary number block differing "
       "from '01' - this points to the possiblity that the directory is not an IFOEdit-output." +
           anyway},
      {kNoVob, "Das Zielverzeichnis enthält keine VOB-Dateien." + stop,
       "The output-directory does not contain any VOB-files." + cancel},
      {kWriteFailed, "Die CFFL-Datei konnte nicht geschrieben werden!",
       "Couldn't write CFFL-file!"},
      {kWritten, "Die CFFL-Datei wurde geschrieben.", "The CFFL-file has been generated."},
      {kUnreadable, "Das Zielverzeichnis '{}' konnte nicht gelesen werden." + stop,
       "The destination path '{}' could not be read." + cancel},
      {kNotDeleted, "Die Datei '{}' konnte nicht gelöscht werden.",
       "Couldn't delete the file '{}'."},
      {kNotAnsi,
       "Der Pfad '{}' enthält Zeichen, die in einer CFFL-Datei nicht geschrieben werden können." +
           stop,
       "The path '{}' contains characters that cannot be written to a CFFL-file." + cancel},
      {kRestart, "Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren.",
       "The program needs to be restarted to activate english language."},
      {kNotOnADrive,
       "Der Pfad '{}' liegt nicht auf einem Laufwerk mit Laufwerksbuchstaben und kann nicht "
       "geöffnet werden.",
       "The path '{}' is not on a drive with a drive letter and cannot be opened."},
      {kSettingNotSaved,
       "Die Spracheinstellung konnte nicht gespeichert werden. Das Programm startet wieder in "
       "der bisherigen Sprache.",
       "The language setting could not be saved. The program will start in its current "
       "language again."},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(t.message.Text(false, "{}"), t.german);
    EXPECT_EQ(t.message.Text(true, "{}"), t.english);
  }
}

// The stored language decides; English replaces nineteen captions in step order after the size is
// measured, and nothing else.
TEST(FormLoad, StartsInTheStoredLanguageAndMeasuresFirst) {
  using enum Ctl;
  const std::pair<Ctl, const char*> captions[] = {
      {dsp_LabelCFFLName, "Filename of CFFL-file"},
      {frme_Step1, "Step 1: generate CFFL-file for Quenza"},
      {btn_MakeCFFL, "Make CFFL"},
      {frme_Step2, "Step 2: calculate scale-factor"},
      {dsp_SizeOutput, "Size of output-directory after IFOEdit"},
      {dsp_DestSize, "Destination size for DVD+R/RW"},
      {dsp_Playtime, "Playing time (Quenza)"},
      {dsp_Bitrate, "Avg. Bitrate (Quenza)"},
      {dsp_Safety, "Safety reserve"},
      {btn_Calculate, "Calculate"},
      {frme_Calculation, "Calculation"},
      {dsp_Source, "Source"},
      {dsp_Destination, "Destination"},
      {dsp_SizeMovie, "Size movie"},
      {dsp_SizeAudio, "Size audio"},
      {dsp_Factor, "Scalefactor"},
      {dsp_Outputdir, "IFO-Edit output-directory"},
      {btn_LangSwitch, "> Deutsch"},
      {dsp_Anleitung, "Manual: tolva.de/orvanto"}};
  const std::pair<const char*, bool> stored[] = {
      {"", false}, {"True", true}, {"true", true}, {"Yes", false}};
  for (const auto& [value, english] : stored) {
    TestWindow t;
    t.settings.values["Tolva/Settings/English"] = value;
    t.window.Form_Load();
    std::vector<Ctl> order = {inp_SourceSize};
    for (const auto& [control, text] : captions) {
      if (english) order.push_back(control);
      EXPECT_TRUE(!english || t.form.Text(control) == text) << text;
    }
    EXPECT_EQ(t.form.textWrites, order);
    EXPECT_EQ(t.form.Text(inp_SourceSize), "0,00");
    if (!english) EXPECT_EQ(t.form.Text(btn_LangSwitch), "> English");
    EXPECT_EQ(t.form.pictures[Index(img_Sprache)],
              english ? Picture::GermanFlag : Picture::BritishFlag);
    EXPECT_EQ(t.form.Title(), "Orvanto V1.00.8");
    EXPECT_TRUE(t.form.messages.empty());
  }
}

TEST(WindowDescription, GivesTheNumericInputsTheirTooltips) {
  using enum Ctl;
  const std::pair<Ctl, const char*> tips[] = {
      {inp_SourceSize, "Beispiel: \"5,23\""}, {inp_DestSize, "Standard: \"4,37\""},
      {inp_Playtime, "Beispiel: \"8356,1\""}, {inp_Bitrate, "Beispiel: \"5390000\""},
      {inp_SafeGuard, "Standard: \"2\""},     {inp_Filename, ""}};
  for (const auto& [control, tip] : tips) EXPECT_EQ(TooltipText(Describe(control)), tip);
}

// Off, the described colours and the scheme's elsewhere; in high contrast, the scheme's alone.
TEST(WindowDescription, ColoursAsDescribedOrInHighContrastWithTheSchemeAlone) {
  using enum Ctl;
  using S = SystemColour;
  const struct {
    Ctl control;
    bool highContrast;
    Colour text, back;
  } cases[] = {
      {dsp_SizeOutput, false, Rgb{0, 0, 128}, S::ButtonFace},
      {dsp_SizeOutput, true, S::ButtonText, S::ButtonFace},
      {dsp_SumDest, false, Rgb{0, 0, 192}, S::ButtonFace},
      {dsp_DestFactor, false, Rgb{255, 0, 0}, S::ButtonFace},
      {inp_SourceSize, false, S::WindowText, Rgb{224, 224, 224}},
      {inp_SourceSize, true, S::WindowText, S::Window},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColoursOf(Describe(c.control), c.highContrast), (ControlColours{c.text, c.back}))
        << Describe(c.control).name << c.highContrast;
}

// MulDiv's rounding, worked by hand: the exact quotient, halves away from zero. Edges are scaled,
// and a control in a frame lies at the frame's offset plus its own.
TEST(WindowDescription, ScalesTwipsToPixelsAsMulDivRounds) {
  // Twips, then pixels at 96, 120, 144 and 192 DPI: 13095 at 120 is 1091,25, at 144 1309,5.
  const std::array<int, 5> twips[] = {{13095, 873, 1091, 1310, 1746},
                                      {6690, 446, 558, 669, 892},
                                      {6, 0, 1, 1, 1},
                                      {-6, 0, -1, -1, -1}};
  const int dpi[] = {0, 96, 120, 144, 192};
  for (const auto& row : twips)
    for (int i = 1; i < 5; ++i) EXPECT_EQ(ScaleTwips(row[0], dpi[i]), row[i]) << row[0];
  // The Calculate button lies at 7200+4080, 120+2400 twips, 1455 x 495: its right edge at 120 DPI
  // is 12735 / 12 = 1061,25, at 144 DPI 1273,5. The range bar: 7200+2160, 3360+2040, 2055 x 375.
  // The language button lies on the window: 11520, 6120.
  using enum Ctl;
  const std::tuple<Ctl, int, PixelRect> rects[] = {{btn_Calculate, 120, {940, 210, 121, 41}},
                                                   {btn_Calculate, 144, {1128, 252, 146, 50}},
                                                   {pct_Range, 120, {780, 450, 171, 31}},
                                                   {btn_LangSwitch, 144, {1152, 612, 146, 50}}};
  for (const auto& [control, dpi, pixels] : rects) EXPECT_EQ(ClientPixels(control, dpi), pixels);
}

// A folder from Explorer: the first argument after the program's name, quoted or up to a blank.
TEST(CommandLine, GivesTheFirstArgumentAsWindowsPassesIt) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"\"C:\\Orvanto.exe\"  \"D:\\My Films\\MOVIE\" E:\\", "D:\\My Films\\MOVIE"},
      {"C:\\Orvanto.exe\tD:\\DVD\\ E:\\", "D:\\DVD\\"},
      {"Orvanto.exe \"D:\\Gr\u00f6\u00dfe", "D:\\Gr\u00f6\u00dfe"},  // no closing quote
      {"Orvanto.exe \"\" D:\\DVD", std::nullopt},
      {"\"C:\\My Tools\\Orvanto.exe\"", std::nullopt},
  };
  for (const auto& [line, argument] : cases) EXPECT_EQ(FirstArgument(line), argument) << line;
}

// The note speaks the language switched to; a setting that cannot be saved is said, then too.
TEST(LanguageSwitch, SavesTheOtherLanguageAndEndsWithoutChangingTheWindow) {
  const std::tuple<bool, bool, const char*> runs[] = {
      {false, false, "True"}, {true, false, "False"}, {false, true, "False"}};
  for (const auto& [english, fails, saved] : runs) {
    TestWindow t;
    t.Load(english);
    t.settings.failWrites = fails;
    t.Click(Ctl::btn_LangSwitch);
    EXPECT_EQ(t.form.messages, Said(fails ? "Ts" : "T", !english));
    EXPECT_EQ(t.settings.values["Tolva/Settings/English"], saved);
    EXPECT_TRUE(t.form.ended && t.form.textWrites.empty());
  }
}

}  // namespace
}  // namespace orvanto
