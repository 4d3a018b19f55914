#pragma once

#include "common/Message.h"

// Every text the program shows in a message box, with the titles. The typos are the program's
// own: users and the manual quote them, so they stay.
namespace orvanto::msg {

inline constexpr Message kTitleError{"Fehler", "Error"};
inline constexpr Message kTitleNote{"Hinweis", "Note"};
inline constexpr Message kTitleQuestion{"Frage", "Question"};

// Step 2: the calculation's gate.
inline constexpr Message kNotNumeric{
    "Mindestens eines der Eingabefelder enthält keinen oder keinen numerischen Wert!",
    "At least one of the input-fields is not numeric or empty!"};
inline constexpr Message kLowBitrate{
    "Die Bitrate ist auffällig niedrig - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
    "The bitrate is conspiciously low - please check! Continue anyway ?"};
inline constexpr Message kHighBitrate{
    "Die Bitrate ist auffällig hoch - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
    "The bitrate is conspicously high - please check! Continue anyway ?"};
inline constexpr Message kShortPlaytime{
    "Die Spieldauer ist auffällig kurz - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
    "The playing time is conspicously short - please check! Continue anyway ?"};
inline constexpr Message kLongPlaytime{
    "Die Spieldauer ist auffällig lang - bitte die Eingabe prüfen! Trotzdem fortfahren ?",
    "The playing time is conspicously long - please check! Continue anyway ?"};
inline constexpr Message kSmallReserve{
    "Die Sicherheitsreserve ist sehr klein! Trotzdem fortfahren ?",
    "The safety reserve is very small! Continue anyway ?"};
inline constexpr Message kLargeReserve{
    "Die Sicherheitsreserve ist auffällig groß! Trotzdem fortfahren ?",
    "The safety reserve is conspicously large! Continue anyway ?"};
inline constexpr Message kNoDvdSize{
    "Die Zielgröße scheint nicht einem DVD-Medium zu entsprechen! Trotzdem fortfahren ?",
    "The destination size seems not to correspond to a DVD+R/RW! Continue anyway ?"};
inline constexpr Message kFitsAlready{
    "Das Ausgabeverzeichnis paßt ohne Recodierung auf die angegebene Zielgröße! Trotzdem "
    "fortfahren ?",
    "The destination directory fits to the entered destination size without recoding! "
    "Continue anyway ?"};

// Step 1: "CFFL erzeugen".
inline constexpr Message kEmptyName{"Kein Dateiname für die CFFL-Datei angegeben!",
                                    "No filename specified for CFFL-file!"};
inline constexpr Message kBadName{
    "Der Dateiname '{}' ist ungültig: Er darf keines der Zeichen \\ / : * ? \" < > | und keine "
    "Steuerzeichen enthalten und kein Gerätename wie CON oder NUL sein.",
    "The filename '{}' is invalid: it must not contain any of the characters \\ / : * ? \" < > | "
    "or control characters and must not be a device name such as CON or NUL."};
inline constexpr Message kOverwrite{
    "Die Datei '{}' existiert bereits. Soll sie überschrieben werden ?",
    "The file '{}' already exists. Overwrite it ?"};
inline constexpr Message kOtherCffl{
    "Das Zielverzeichnis enthält eine CFFL-Datei mit einem anderen Namen. Es wird dringend "
    "empfohlen, diese Datei zu löschen, bevor eine neue CFFL-Datei erstellt wird, um "
    "Verwechslungen vorzubeugen! Soll die andere CFFL-Datei gelöscht werden ?",
    "The destination path contains a CFFL-file with another name. It is strongly suggested to "
    "delete this file before creating new CFFL to prevent mixups! Delete other CFFL-file ?"};
inline constexpr Message kVinf{
    "Das Zielverzeichnis enthält eine CFFL.VINF-Datei, was darauf hindeutet, daß Quenza die "
    "vorhandene CFFL-Datei bereits bearbeitet hat. Es wird dringend empfohlen, diese Datei zu "
    "löschen, bevor die neue CFFL-Datei benutzt wird! Soll die CFFL.VINF-Datei gelöscht werden ?",
    "The destination path contains a CFFL.VINF-file, what indicates that Quenza has already "
    "processed the existing CFFL-file. It is strongly suggested to delete this file before using "
    "Quenza with the new CFFL! Delete CFFL.VINF-file ?"};
inline constexpr Message kNameWarning{
    "Einige oder alle VOB-Dateien im Zielverzeichnis haben einen anderen Primärnummernkreis als "
    "'01' - dies deutet darauf hin, daß das Verzeichnis kein IFOEdit-Zielverzeichnis ist. "
    "Trotzdem weitermachen ?",
    "Some or all VOB-files in the output directory have a primary number block differing from "
    "'01' - this points to the possiblity that the directory is not an IFOEdit-output. Continue "
    "anyway ?"};
inline constexpr Message kNoVob{
    "Das Zielverzeichnis enthält keine VOB-Dateien. Der Vorgang wurde abgebrochen.",
    "The output-directory does not contain any VOB-files. The process has been cancelled."};
inline constexpr Message kWriteFailed{"Die CFFL-Datei konnte nicht geschrieben werden!",
                                      "Couldn't write CFFL-file!"};
inline constexpr Message kWritten{"Die CFFL-Datei wurde geschrieben.",
                                  "The CFFL-file has been generated."};
inline constexpr Message kUnreadable{
    "Das Zielverzeichnis '{}' konnte nicht gelesen werden. Der Vorgang wurde abgebrochen.",
    "The destination path '{}' could not be read. The process has been cancelled."};
inline constexpr Message kNotDeleted{"Die Datei '{}' konnte nicht gelöscht werden.",
                                     "Couldn't delete the file '{}'."};
inline constexpr Message kNotAnsi{
    "Der Pfad '{}' enthält Zeichen, die in einer CFFL-Datei nicht geschrieben werden können. Der "
    "Vorgang wurde abgebrochen.",
    "The path '{}' contains characters that cannot be written to a CFFL-file. The process has "
    "been cancelled."};

// A folder dropped on the window that the folder lists cannot show.
inline constexpr Message kNotOnADrive{
    "Der Pfad '{}' liegt nicht auf einem Laufwerk mit Laufwerksbuchstaben und kann nicht geöffnet "
    "werden.",
    "The path '{}' is not on a drive with a drive letter and cannot be opened."};

// The language switch. The note is shown in the language being switched to.
inline constexpr Message kRestart{
    "Das Programm muß neu gestartet werden, um die Sprachänderung zu aktivieren.",
    "The program needs to be restarted to activate english language."};
inline constexpr Message kSettingNotSaved{
    "Die Spracheinstellung konnte nicht gespeichert werden. Das Programm startet wieder in der "
    "bisherigen Sprache.",
    "The language setting could not be saved. The program will start in its current language "
    "again."};

}  // namespace orvanto::msg
