#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/Messages.h"

namespace orvanto {

// Why a typed name cannot become a file in the chosen directory: it would leave the directory,
// hold characters no file name may hold, or name a device such as CON or LPT1.
bool IsUsableFileName(std::string_view name);

// Whether a bare VOB name looks like IFOEdit output: its primary number block is "01".
bool HasIfoEditNumber(std::string_view name);

// The CFFL text: "CFFL", then one path per line, every line ended by CR LF.
std::string CfflText(const std::vector<std::string>& paths);

// What "CFFL erzeugen" says. The messages about a path or name are built around it:
// before + subject + after.
struct CfflMessages {
  static constexpr Bilingual EmptyName{"Kein Dateiname für die CFFL-Datei angegeben!",
                                       "No filename specified for CFFL-file!"};
  static constexpr Bilingual OtherCffl{
      "Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen Namen. Es wird dringend "
      "empfohlen, diese Datei zu löschen, bevor eine neue CFFL-Datei erstellt wird, um "
      "Verwechslungen vorzubeugen! Soll die andere CFFL-Datei gelöscht werden ?",
      "The destination path contains a CFFL-file with another name. It is strongly suggested to "
      "delete this file before creating new CFFL to prevent mixups! Delete other CFFL-file ?"};
  static constexpr Bilingual Vinf{
      "Das Zielverzeichnis enthält eine CFFL.VINF-Datei, was darauf hindeutet, daß Quenza die "
      "vorhandene CFFL-Datei bereits bearbeitet hat. Es wird dringend empfohlen, diese Datei zu "
      "löschen, bevor die neue CFFL-Datei benutzt wird! Soll die CFFL.VINF-Datei gelöscht werden ?",
      "The destination path contains a CFFL.VINF-file, what indicates that Quenza has already "
      "processed the existing CFFL-file. It is strongly suggested to delete this file before using "
      "Quenza with the new CFFL! Delete CFFL.VINF-file ?"};
  static constexpr Bilingual NameWarning{
      "Einige oder alle VOB-Dateien im Zielverzeichnis haben einen anderen Primärnummernkreis als "
      "'01' - dies deutet darauf hin, daß das Verzeichnis kein IFOEdit-Zielverzeichnis ist. "
      "Trotzdem weitermachen ?",
      "Some or all VOB-files in the output directory have a primary number block differing from "
      "'01' - this points to the possiblity that the directory is not an IFOEdit-output. Continue "
      "anyway ?"};
  static constexpr Bilingual NoVob{
      "Das Zielverzeichnis enthält keine VOB-Dateien. Der Vorgang wurde abgebrochen.",
      "The output-directory does not contain any VOB-files. The process has been cancelled."};
  static constexpr Bilingual WriteFailed{"Die CFFL-Datei konnte nicht geschrieben werden!",
                                         "Couldn't write CFFL-file!"};
  static constexpr Bilingual Written{"Die CFFL-Datei wurde geschrieben.",
                                     "The CFFL-file has been generated."};
  static constexpr Bilingual OverwriteBefore{"Die Datei '", "The file '"};
  static constexpr Bilingual OverwriteAfter{"' existiert bereits. Soll sie überschrieben werden ?",
                                            "' already exists. Overwrite it ?"};
  static constexpr Bilingual BadNameBefore{"Der Dateiname '", "The filename '"};
  static constexpr Bilingual BadNameAfter{
      "' ist ungültig: Er darf keines der Zeichen \\ / : * ? \" < > | und keine Steuerzeichen "
      "enthalten und kein Gerätename wie CON oder NUL sein.",
      "' is invalid: it must not contain any of the characters \\ / : * ? \" < > | or control "
      "characters and must not be a device name such as CON or NUL."};
  static constexpr Bilingual UnreadableBefore{"Das Zielverzeichnis '", "The destination path '"};
  static constexpr Bilingual UnreadableAfter{
      "' konnte nicht gelesen werden. Der Vorgang wurde abgebrochen.",
      "' could not be read. The process has been cancelled."};
  static constexpr Bilingual NotDeletedBefore{"Die Datei '", "Couldn't delete the file '"};
  static constexpr Bilingual NotDeletedAfter{"' konnte nicht gelöscht werden.", "'."};
  static constexpr Bilingual NotAnsiBefore{"Der Pfad '", "The path '"};
  static constexpr Bilingual NotAnsiAfter{
      "' enthält Zeichen, die in einer CFFL-Datei nicht geschrieben werden können. Der Vorgang "
      "wurde abgebrochen.",
      "' contains characters that cannot be written to a CFFL-file. The process has been "
      "cancelled."};
};

}  // namespace orvanto
