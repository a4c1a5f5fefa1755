#pragma once
// The windows of the general options: "Options générales" (TForm45) and the
// small windows of its options. Each choice window shows its lines preset
// on the value in force and answers the line chosen (0 for Esc).
#include "core/FormNames.h"
#include "core/Interaction.h"
#include "flows/GeneralOptions.h"

#include <QDialog>
#include <QList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// A choice among a few lines, "&OK" and "Annuler = ESC".
class OptionChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  OptionChoiceDialog(const QString& name, const QString& caption, const QStringList& lines, QWidget* parent);
  // Shows the lines preset on choice.extra["current"]; the code of the line
  // chosen (choice.codes, else its position from 1), 0 for Esc.
  int ask(const ui::Choice& choice);
  QList<QRadioButton*> items() const { return items_; }
  QPushButton* okButton() const { return ok_; }

 private:
  QButtonGroup* group_;
  QList<QRadioButton*> items_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// "Fréquences ventilées"
class TForm47 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm47(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::SplitFrequenciesOption, QStringLiteral("Fréquences ventilées"),
                           {QStringLiteral("OUI (formule de Neuberg)"), QStringLiteral("NON (comme à la main)")}, parent) {}
};
// "Panachage"
class TForm48 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm48(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::MixingOption, QStringLiteral("Panachage"),
                           {QStringLiteral("Panachage standard (10%)"), QStringLiteral("Panachage différent")}, parent) {}
};
// "Saut"
class TForm49 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm49(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::SkipOption, QStringLiteral("Saut"),
                           {QStringLiteral("Saut automatique"), QStringLiteral("Pas de saut")}, parent) {}
};
// "Calcul"
class TForm50 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm50(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::ComputationOption, QStringLiteral("Calcul"),
                           {QStringLiteral("Formule \"Paires\" (au TOP unique)"), QStringLiteral("Formule \"Butler\" (en IMP's-VP's)")}, parent) {}
};
// "Affichage"
class TForm52 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm52(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::DisplayOrderOption, QStringLiteral("Affichage"),
                           {QStringLiteral("Par numéros croissants de paires Nord/Sud"), QStringLiteral("Par numéros croissants de tours")}, parent) {}
};
// "Choix pour un mitchell pair"
class TForm69 : public OptionChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm69(QWidget* parent = nullptr)
      : OptionChoiceDialog(forms::EvenMitchellOption, QStringLiteral("Choix pour un mitchell pair"),
                           {QStringLiteral("On pose la question lors du prochain tournoi"), QStringLiteral("On saute à la moitié du tournoi"), QStringLiteral("Il y a une table-relais")}, parent) {}
};

// "Dossier des résultats": the folder shown and changed at once.
class TForm51 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm51(QWidget* parent = nullptr);
  QPlainTextEdit* Memo1;
  QPushButton* changeFolderButton;
  QPushButton* okButton;
  QPushButton* keepButton;
  // The folder browser; tests answer it themselves.
  std::function<QString()> browse;
};

// "Modification de la position du BYE".
class TForm96 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm96(QWidget* parent = nullptr);
  QRadioButton* NorthSouth;
  QRadioButton* EastWest;
  QLineEdit* Edit1;
  QCheckBox* highestNumberBox;
  QCheckBox* askEachTimeBox;
  QLabel* Label5;
  QPushButton* Button1;  // "&OK"
  void Button1Click();
};

// "Options générales": a button per option and its value beside it.
class TForm45 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm45(QWidget* parent = nullptr);
  // Shows the window modally; the code of the option chosen, 0 for the end.
  int ask();
  // The values and the buttons' states from FillOptionSummary.
  void refresh();

  QPushButton* button(int code) const;  // the button of an option code
  QPushButton* mitchellButton;
  QPushButton* endButton;
  QPushButton* membersFileButton;
  QCheckBox* bralmetBox;
  QPlainTextEdit* dataFolder;
  QPlainTextEdit* membersFile;
  QLabel* value(int code) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void choose(int code);
  QList<std::pair<int, QPushButton*>> buttons_;
  QList<std::pair<int, QLabel*>> values_;
  int code_ = 0;
};

// Registers the flows' windows: the general options' windows with the window
// interaction, and the end of a cumulation beside the hidden menu.
void RegisterFlowWindows();
