#pragma once
// How routines talk to the director. Routines never open windows: they call
// the installed Interaction. The program installs the one that shows the
// windows; tests install ScriptedInteraction, which answers from a queue and
// records every text and beep.
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace ui {

// A question answered by one of a few buttons.
struct Choice {
  QString form{};  // the window that asks (forms::YesNoQuestion); empty: the generic question window
  QString caption{};
  QString text{};
  QStringList buttons{};  // captions; the first is the default (Enter)
  QList<int> codes{};  // answer of each button; empty: 1, 2, ...
  int cancelCode = 0;  // answer of Esc and of the close box
  QVariantMap extra{};  // what a particular window shows beside the text
};

// A line chosen from a list: the answer is its position + 1, 0 for none.
struct ListChoice {
  QString form;  // forms::TournamentChoice (tournaments), forms::ListChoice (incremental search), ...
  QString caption;
  QStringList headings;
  QString hint;
  QStringList lines;
  bool sorted = false;  // the window sorts the lines it shows
  int current = 0;  // the line selected when the window opens (1-based), 0 for none
};

// A text typed by the director; nothing when cancelled.
struct TextQuestion {
  QString form;  // forms::TextQuestion (text), forms::NumberQuestion (number), ...
  QString caption;
  QString prompt;
  QString text;  // the text offered
};

// A file or a folder picked on disk; nothing when cancelled.
struct PathQuestion {
  QString caption{};
  QString folder{};  // where the picker opens
  QString filter{};  // files only: "Fichiers PBN (*.pbn)"
};

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual void beep() = 0;
  virtual void pause(int milliseconds) = 0;
  // The message window: returns when the director closes it.
  virtual void showMessage(const QString& text) = 0;
  // The system's plain message box, for the few checks made before any window.
  virtual void showSystemMessage(const QString& text) = 0;
  virtual int choose(const Choice& choice) = 0;
  virtual int chooseLine(const ListChoice& choice) = 0;
  virtual std::optional<QString> askText(const TextQuestion& question) = 0;
  // The system's pickers: a full file name, or a folder (without a final
  // separator).
  virtual std::optional<QString> chooseFile(const PathQuestion& question) = 0;
  virtual std::optional<QString> chooseFolder(const PathQuestion& question) = 0;
};

// The installed interaction (never null: a silent one that answers "cancel"
// until the program or a test installs its own).
Interaction& interaction();
// Installs an interaction (not owned); nullptr puts the silent one back.
void setInteraction(Interaction* implementation);
// What setInteraction installed last (nullptr: the silent one).
Interaction* installedInteraction();

// Asks and leaves the answer in ChoiceResult as well.
int Ask(const Choice& choice);
int AskLine(const ListChoice& choice);
// The yes/no window: 6 for yes, 7 for no (Esc and the close box say no).
int AskYesNo(const QString& question);
// The same question with no as its default: Enter says no as well, only the
// "OUI" button (or its letter) says yes. For what cannot be undone by a key.
int AskYesNoDefaultNo(const QString& question);

}  // namespace ui
