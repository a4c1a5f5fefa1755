#pragma once
// The general options: the loop behind "Options générales" (the window is
// TForm45 in flows/ui/OptionWindows) and one routine per option. Each option asks its small
// window through the installed interaction and keeps its value both in
// memory and in its settings file of ProgramFolder.
#include <QString>

// The codes the options window leaves in ChoiceResult.
enum OptionCode {
  kOptionEnd = 0,
  kOptionVentilation = 1,
  kOptionSheetOrder = 2,
  kOptionMixing = 3,
  kOptionFormula = 4,
  kOptionRounds = 5,
  kOptionLineSkip = 6,
  kOptionEntry = 7,
  kOptionPbn = 8,
  kOptionResultsFolder = 9,
  kOptionTabletPasswordToo = 10,
  kOptionTimesTen = 12,
  kOptionTabletPassword = 13,
  kOptionByePosition = 14,
  kOptionBridgeMates = 15,
  kOptionMembersFile = 16,
};

// What the options window shows beside its buttons, and which buttons work.
struct OptionSummary {
  QString ventilation;
  QString sheetOrder;
  QString mixing;
  QString formula;
  QString rounds;
  QString lineSkip;
  QString entry;
  QString timesTen;
  QString mitchell;
  QString tabletPassword;
  QString bridgeMates;
  QString byePosition;
  QString dataFolder;        // Memo1
  QString membersFile;       // Memo2
  bool clubMode = false;     // CheckBox1 "Bralmet", Panel1 enabled, Memo2 shown
  bool formulaEnabled = true;    // Button4
  bool roundsEnabled = true;     // Button5
  bool entryEnabled = true;      // Button7
  bool timesTenEnabled = true;   // Button12
  bool passwordEnabled = false;  // Button13
  bool bridgeMatesEnabled = false;  // Button15
};

// The values beside the buttons; in club mode a missing "MembersDAT.TXT" is
// reported and otherwise read into MembersDatLocation.
OptionSummary FillOptionSummary();

// The options loop: the window shown again after each option until it is
// closed (code 0).
void RunGeneralOptions();
// Runs the option of one code of the options window (codes above 16 and
// unknown codes do nothing).
void RunOption(int code);

// The options, each with its window.
void ChooseVentilation();      // TForm47
void ChooseSheetOrder();       // TForm52
void ChooseMixing();           // TForm48, then the percentage
void ChooseScoringFormula();   // TForm50
void ChooseLineSkip();         // TForm49
void ToggleEntryByContracts();
void ChooseResultsFolder();    // TForm51
void ChooseMitchellType();     // TForm69
void ToggleScoresTimesTen();
void ChooseByePosition();      // TForm96
void ChooseMembersFile();      // TForm111

// The results folder chosen in TForm51: refused (with its message, false)
// when its name holds an accented letter or a character that "PATH.TXT"
// cannot hold; otherwise DataFolder and "PATH.TXT" change at once.
bool ChangeResultsFolder(const QString& path);

// The line TForm69 selects when it opens: 0..2 from "MITCHELLPAIR.TXT";
// -1 when the file holds no number (reported, the file deleted: the window
// then closes at once).
int MitchellTypeOnShow();
// The choice of TForm69 (0 ask, 1 skip, 2 relay) saved and applied.
void ApplyMitchellType(int type);

// The saved BYE position as TForm96's Label5 shows it.
QString ByePositionText();
// TForm96's OK: direction 1 N/S or 2 E/W, the number as typed, the box "au
// numéro le plus élevé". False after a refusal (the window stays).
bool ApplyByePosition(int direction, const QString& number, bool highest);
// TForm96's "Soit on demande systématiquement": "choixBYE.TXT" deleted.
void ForgetByePosition();

// The club box: ClubMode, "BRALMET.TXT" written or deleted, the start
// screen's club label.
void SetClubMode(bool on);
