#pragma once
// The club's members file (the Tallyvane "...Members.DAT" of fixed 297-byte
// records) and the players file "JOUEURS.TXT" rebuilt from it in club mode:
// locating the file, reading its members, adding a member and correcting
// one, in both files.
#include "core/Globals.h"
#include "core/OneBased.h"

#include <QByteArray>
#include <QString>

inline constexpr int kMemberRecordSize = 297;
inline constexpr int kMemberNumberOffset = 24;
inline constexpr int kMemberNumberWidth = 8;
inline constexpr int kMemberFirstNameOffset = 93;
inline constexpr int kMemberFirstNameWidth = 12;
inline constexpr int kMemberSurnameOffset = 227;
inline constexpr int kMemberSurnameWidth = 18;

// ClubMembersFile (core/Globals.h): the full name of Tallyvane.EXE (from
// "Tallyvane.TXT").
// The members read by ReadMembersFile: MemberField1..3 of 1..MemberCount,
// and the record (from 1) each came from, MemberRecordIndex (core/Globals.h).

// ClubMembersFile from "Tallyvane.TXT" (the program searched for when it is
// missing) and MembersDatLocation from "MembersDAT.TXT" (asked when missing
// or not chosen yet). A missing folder of Tallyvane or a missing members file
// is reported and makes the fatal stop.
void LocateClubMembersFile();
// Reads the members of the file into MemberField1..3 (at most 1000) and
// writes their lines "surname first-name number", sorted, as outputFile.
void ReadMembersFile(const QString& membersFile, const QString& outputFile);
// Club mode only (else a message): locates the members file, reads it and
// rewrites "JOUEURS.TXT" in ProgramFolder.
void RebuildClubPlayersFile();

// A record whose three fields hold what the record of a member holds.
bool IsValidMemberRecord(const QByteArray& record);
// The template with its number, first-name and surname fields replaced
// (cut to their widths, trimmed, padded with blanks); every other byte is
// the template's.
QByteArray BuildMemberRecord(const QByteArray& templateRecord, const QString& surname, const QString& firstName,
                             const QString& number);
// Appends a record made from the file's first record, each byte 5 of it
// written as 0. False after a file
// error (reported with its code in the system message box).
bool AppendMemberRecord(const QString& surname, const QString& firstName, const QString& number);
// Rewrites the three fields of record index (from 1; found one byte further
// on when the records are shifted). False after a refusal or a file error,
// the file unchanged.
bool RewriteMemberRecord(int index, const QString& surname, const QString& firstName, const QString& number);

// The file has at least two bytes and ends with CR LF.
bool EndsWithLineBreak(const QString& fileName);
// Line lineNumber (from 1, blank lines counted) of the players file becomes
// text; the other bytes stay as they were. The file is replaced atomically.
void ReplacePlayerLine(int lineNumber, const QString& text);
// The number (from 1) of the first line of the players file that reads text
// once trimmed; 0 when none does.
int FindPlayerLine(const QString& text);

// "Ajouter un joueur à la BD" OK: the texts trimmed and checked (a refusal is
// a message and false), the member record appended, then the players-file
// line, then the player in the list and the pickers.
bool AddClubPlayer(const QString& firstName, const QString& surname, const QString& number);
// "Modifier un joueur" OK for member entry (1..MemberCount): checked as the
// add, then its own record rewritten, then its line of the players file, the
// player list and the member's fields.
bool ModifyClubPlayer(int member, const QString& firstName, const QString& surname, const QString& number);
// The members file chosen in "Fichier des membres": MembersDatLocation and
// "MembersDAT.TXT". An empty choice (cancelled) changes nothing.
void SetMembersFileLocation(const QString& fileName);

// The start screen's "Créer ou modifier des joueurs (Bralmet)": the players
// file rebuilt, then the members window.
void ShowClubPlayers();
// The members window "Liste des joueurs".
void ShowMembersWindow();
