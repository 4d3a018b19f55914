#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "Fakes.h"
#include "app/CommandLine.h"
#include "app/WindowLayout.h"
#include "common/Messages.h"

namespace orvanto {
namespace {

using namespace fakes;
using enum MessageStyle;

// Every text the program shows in a message box, literally, with its typos; "{}" is the subject.
TEST(Messages, SayExactlyThis) {
  // clang-format off
  const struct { const Message& message; const char *german, *english; } texts[] = {
      {msg::kTitleError, "Fehler", "Error"}, {msg::kTitleNote, "Hinweis", "Note"},
      {msg::kTitleQuestion, "Frage", "Question"},
      {msg::kNotNumeric, "Mindestens eines der Eingabefelder enthält keinen oder keinen numerischen Wert!", "At least one of the input-fields is not numeric or empty!"},
      {msg::kLowBitrate, "Die Bitrate ist auffällig niedrig - bitte die Eingabe prüfen! Trotzdem fortfahren ?", "The bitrate is conspiciously low - please check! Continue anyway ?"},
      {msg::kHighBitrate, "Die Bitrate ist auffällig hoch - bitte die Eingabe prüfen! Trotzdem fortfahren ?", "The bitrate is conspicously high - please check! Continue anyway ?"},
      {msg::kShortPlaytime, "Die Spieldauer ist auffällig kurz - bitte die Eingabe prüfen! Trotzdem fortfahren ?", "The playing time is conspicously short - please check! Continue anyway ?"},
      {msg::kLongPlaytime, "Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?", "The playing time is conspicously long - please check! Continue anyway ?"},
      {msg::kSmallReserve, "Die Sicherheitsreserve ist sehr klein! Trotzdem fortfahren ?", "The safety reserve is very small! Continue anyway ?"},
      {msg::kLargeReserve, "Die Sicherheitsreserve ist auffällig groß! Trotzdem fortfahren ?", "The safety reserve is conspicously large! Continue anyway ?"},
      {msg::kNoDvdSize, "Die Zielgröße scheint nicht einem DVD-Medium zu entsprechen! Trotzdem fortfahren ?", "The destination size seems not to correspond to a DVD+R/RW! Continue anyway ?"},
      {msg::kFitsAlready, "Das Ausgabeverzeichnis paßt ohne Recodierung auf die angegebene Zielgröße! Trotzdem fortfahren ?", "The destination directory fits to the entered destination size without recoding! Continue anyway ?"},
      {msg::kEmptyName, "Kein Dateiname für die CFFL-Datei angegeben!", "No filename specified for CFFL-file!"},
      {msg::kBadName, "Der Dateiname '{}' ist ungültig: Er darf keines der Zeichen \\ / : * ? \" < > | und keine Steuerzeichen enthalten und kein Gerätename wie CON oder NUL sein.", "The filename '{}' is invalid: it must not contain any of the characters \\ / : * ? \" < > | or control characters and must not be a device name such as CON or NUL."},
      {msg::kOverwrite, "Die Datei '{}' existiert bereits. Soll sie überschrieben werden ?", "The file '{}' already exists. Overwrite it ?"},
      {msg::kOtherCffl, "Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen Namen. Es wird dringend empfohlen, diese Datei zu löschen, bevor eine neue CFFL-Datei erstellt wird, um Verwechslungen vorzubeugen! Soll die andere CFFL-Datei gelöscht werden ?", "The destination path contains a CFFL-file with another name. It is strongly suggested to delete this file before creating new CFFL to prevent mixups! Delete other CFFL-file ?"},
      {msg::kVinf, "Das Zielverzeichnis enthält eine CFFL.VINF-Datei, was darauf hindeutet, daß Quenza die vorhandene CFFL-Datei bereits bearbeitet hat. Es wird dringend empfohlen, diese Datei zu löschen, bevor die neue CFFL-Datei benutzt wird! Soll die CFFL.VINF-Datei gelöscht werden ?", "The destination path contains a CFFL.VINF-file, what indicates that Quenza has already processed the existing CFFL-file. It is strongly suggested to delete this file before using Quenza with the new CFFL! Delete CFFL.VINF-file ?"},
      {msg::kNameWarning, "Einige oder alle VOB-Dateien im Zielverzeichnis haben einen anderen Primärnummernkreis als '01' - dies deutet darauf hin, daß das Verzeichnis kein IFOEdit-Zielverzeichnis ist. Trotzdem weitermachen ?", "Some or all VOB-files in the output directory have a primary number block differing from '01' - this points to the possiblity that the directory is not an IFOEdit-output. Continue anyway ?"},
      {msg::kNoVob, "Das Zielverzeichnis enthält keine VOB-Dateien. Der Vorgang wurde abgebrochen.", "The output-directory does not contain any VOB-files. The process has been cancelled."},
      {msg::kWriteFailed, "Die CFFL-Datei konnte nicht geschrieben werden!", "Couldn't write CFFL-file!"},
      {msg::kWritten, "Die CFFL-Datei wurde geschrieben.", "The CFFL-file has been generated."},
      {msg::kUnreadable, "Das Zielverzeichnis '{}' konnte nicht gelesen werden. Der Vorgang wurde abgebrochen.", "The destination path '{}' could not be read. The process has been cancelled."},
      {msg::kNotDeleted, "Die Datei '{}' konnte nicht gelöscht werden.", "Couldn't delete the file '{}'."},
      {msg::kNotAnsi, "Der Pfad '{}' enthält Zeichen, die in einer CFFL-Datei nicht geschrieben werden können. Der Vorgang wurde abgebrochen.", "The path '{}' contains characters that cannot be written to a CFFL-file. The process has been cancelled."},
      {msg::kRestart, "Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren.", "The program needs to be restarted to activate english language."},
      {msg::kNotOnADrive, "Der Pfad '{}' liegt nicht auf einem Laufwerk mit Laufwerksbuchstaben und kann nicht geöffnet werden.", "The path '{}' is not on a drive with a drive letter and cannot be opened."},
      {msg::kSettingNotSaved, "Die Spracheinstellung konnte nicht gespeichert werden. Das Programm startet wieder in der bisherigen Sprache.", "The language setting could not be saved. The program will start in its current language again."},
  };
  // clang-format on
  for (const auto& t : texts)
    EXPECT_EQ(t.message.Text(false, "{}") + "\n" + t.message.Text(true, "{}"),
              std::string(t.german) + "\n" + t.english);
}

// The stored language decides; English replaces nineteen captions in step order after the size is
// measured, and nothing else.
TEST(FormLoad, StartsInTheStoredLanguageAndMeasuresFirst) {
  // clang-format off
  const std::pair<Ctl, const char*> captions[] = {{Ctl::dsp_LabelCFFLName, "Filename of CFFL-file"}, {Ctl::frme_Step1, "Step 1: generate CFFL-file for Quenza"},
      {Ctl::btn_MakeCFFL, "Make CFFL"}, {Ctl::frme_Step2, "Step 2: calculate scale-factor"}, {Ctl::dsp_SizeOutput, "Size of output-directory after IFOEdit"},
      {Ctl::dsp_DestSize, "Destination size for DVD+R/RW"}, {Ctl::dsp_Playtime, "Playing time (Quenza)"}, {Ctl::dsp_Bitrate, "Avg. Bitrate (Quenza)"},
      {Ctl::dsp_Safety, "Safety reserve"}, {Ctl::btn_Calculate, "Calculate"}, {Ctl::frme_Calculation, "Calculation"}, {Ctl::dsp_Source, "Source"},
      {Ctl::dsp_Destination, "Destination"}, {Ctl::dsp_SizeMovie, "Size movie"}, {Ctl::dsp_SizeAudio, "Size audio"}, {Ctl::dsp_Factor, "Scalefactor"},
      {Ctl::dsp_Outputdir, "IFO-Edit output-directory"}, {Ctl::btn_LangSwitch, "> Deutsch"}, {Ctl::dsp_Anleitung, "Manual: tolva.de/orvanto"}};
  const std::pair<const char*, bool> stored[] = {{nullptr, false}, {"", false}, {"True", true}, {"true", true}, {"TRUE", true}, {"False", false}, {"Yes", false}, {"1", false}};
  // clang-format on
  for (const auto& [value, english] : stored) {
    TestWindow t;
    if (value) t.settings.values["Tolva/Settings/English"] = value;
    t.window.Form_Load();
    std::vector<Ctl> order = {Ctl::inp_SourceSize};
    for (const auto& [control, text] : captions) {
      if (english) order.push_back(control);
      EXPECT_TRUE(!english || t.form.Text(control) == text) << text;
    }
    EXPECT_EQ(t.form.textWrites, order);
    EXPECT_EQ(t.form.Text(Ctl::inp_SourceSize), "0,00");
    EXPECT_EQ(t.form.Text(Ctl::btn_LangSwitch), english ? "> Deutsch" : "> English");
    EXPECT_EQ(t.form.pictures[Index(Ctl::img_Sprache)],
              english ? Picture::GermanFlag : Picture::BritishFlag);
    EXPECT_EQ(t.form.Title(), "Orvanto V1.00.8");
    EXPECT_TRUE(t.form.messages.empty());
  }
}

TEST(WindowDescription, GivesTheNumericInputsTheirTooltips) {
  // clang-format off
  const std::pair<Ctl, const char*> tips[] = {{Ctl::inp_SourceSize, "Beispiel: \"5,23\""}, {Ctl::inp_DestSize, "Standard: \"4,37\""},
      {Ctl::inp_Playtime, "Beispiel: \"8356,1\""}, {Ctl::inp_Bitrate, "Beispiel: \"5390000\""}, {Ctl::inp_SafeGuard, "Standard: \"2\""}, {Ctl::inp_Filename, ""}};
  // clang-format on
  for (const auto& [control, tip] : tips) EXPECT_EQ(TooltipText(Describe(control)), tip);
}

// Off, the described colours and the scheme's elsewhere; in high contrast, the scheme's alone.
TEST(WindowDescription, ColoursAsDescribedOrInHighContrastWithTheSchemeAlone) {
  using S = SystemColour;
  const struct {
    Ctl control;
    bool highContrast;
    Colour text, back;
  } cases[] = {
      {Ctl::dsp_SizeOutput, false, Rgb{0, 0, 128}, S::ButtonFace},
      {Ctl::dsp_SizeOutput, true, S::ButtonText, S::ButtonFace},
      {Ctl::dsp_SumDest, false, Rgb{0, 0, 192}, S::ButtonFace},
      {Ctl::dsp_DestFactor, false, Rgb{255, 0, 0}, S::ButtonFace},
      {Ctl::inp_SourceSize, false, S::WindowText, Rgb{224, 224, 224}},
      {Ctl::inp_SourceSize, true, S::WindowText, S::Window},
      {Ctl::inp_Playtime, false, S::WindowText, S::Window},
      {Ctl::Label5, false, S::ButtonText, S::ButtonFace},
      {Ctl::frme_Step1, true, S::ButtonText, S::ButtonFace},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColoursOf(Describe(c.control), c.highContrast), (ControlColours{c.text, c.back}))
        << Describe(c.control).name << c.highContrast;
}

// A folder from Explorer: the first argument after the program's name, quoted or up to a blank.
TEST(CommandLine, GivesTheFirstArgumentAsWindowsPassesIt) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"\"C:\\Program Files\\Orvanto.exe\" \"D:\\\"", "D:\\"},
      {"Orvanto.exe D:\\DVD\\MOVIE", "D:\\DVD\\MOVIE"},
      {"\"C:\\Orvanto.exe\"  \"D:\\My Films\\MOVIE\" E:\\", "D:\\My Films\\MOVIE"},
      {"C:\\Orvanto.exe\tD:\\DVD\\ E:\\", "D:\\DVD\\"},
      {"Orvanto.exe \"D:\\Gr\u00f6\u00dfe", "D:\\Gr\u00f6\u00dfe"},  // no closing quote
      {"Orvanto.exe \"\" D:\\DVD", std::nullopt},
      {"\"C:\\My Tools\\Orvanto.exe\"", std::nullopt},
  };
  for (const auto& [line, argument] : cases) EXPECT_EQ(FirstArgument(line), argument) << line;
}

TEST(LanguageSwitch, SavesTheOtherLanguageAndEndsWithoutChangingTheWindow) {
  const std::tuple<bool, bool, const char*> runs[] = {
      {false, false, "True"}, {true, false, "False"}, {false, true, "False"}};
  for (const auto& [english, fails, saved] : runs) {
    TestWindow t;
    t.Load(english);
    t.settings.failWrites = fails;
    t.Click(Ctl::btn_LangSwitch);
    std::vector<ShownMessage> said = {
        {msg::kRestart.Text(!english), english ? "Hinweis" : "Note", Info}};
    if (fails) said.push_back({msg::kSettingNotSaved.Text(true), "Error", Info});
    EXPECT_EQ(t.form.messages, said);
    EXPECT_EQ(t.settings.values["Tolva/Settings/English"], saved);
    EXPECT_TRUE(t.form.ended && t.form.textWrites.empty());
    TestWindow next;  // the next start reads what was saved
    next.settings = t.settings;
    next.window.Form_Load();
    EXPECT_EQ(next.form.Text(Ctl::btn_LangSwitch), *saved == 'T' ? "> Deutsch" : "> English");
  }
}

}  // namespace
}  // namespace orvanto
