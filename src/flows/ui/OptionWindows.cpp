#include "flows/ui/OptionWindows.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "flows/ui/CumulativeEndWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* makeMemo(const QString& name, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setFocusPolicy(Qt::NoFocus);
  memo->setMaximumHeight(memo->fontMetrics().height() * 3);
  memo->setMinimumWidth(360);
  return memo;
}

}  // namespace

OptionChoiceDialog::OptionChoiceDialog(const QString& name, const QString& caption, const QStringList& lines,
                                       QWidget* parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(caption);
  group_ = new QButtonGroup(this);
  auto* box = new QGroupBox(this);
  box->setObjectName(QStringLiteral("RadioGroup1"));
  auto* boxLayout = new QVBoxLayout(box);
  for (int i = 0; i < lines.size(); ++i) {
    auto* item = new QRadioButton(lines[i], box);
    item->setObjectName(QStringLiteral("Item%1").arg(i + 1));
    boxLayout->addWidget(item);
    group_->addButton(item, i + 1);
    items_ << item;
  }
  ok_ = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  ok_->setDefault(true);
  cancel_ = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("Annuler = ESC"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ui::StyleWindow(this, {.cancelButton = cancel_});
}

int OptionChoiceDialog::ask(const ui::Choice& choice) {
  const int current = choice.extra.value(QStringLiteral("current")).toInt();
  if (current >= 1 && current <= items_.size()) items_[current - 1]->setChecked(true);
  ok_->setFocus();
  if (exec() != QDialog::Accepted) return 0;
  const int chosen = group_->checkedId();
  return chosen < 1 ? 0 : choice.codes.value(chosen - 1, chosen);
}

TForm51::TForm51(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ResultsFolderOption);
  setWindowTitle(QStringLiteral("Dossier des résultats"));
  Memo1 = makeMemo(QStringLiteral("Memo1"), this);
  Memo1->setPlainText(DataFolder);
  changeFolderButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&Changer le dossier"), this);
  okButton = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  keepButton = ui::MakeButton(QStringLiteral("Button3"), QStringLiteral("Ne rien changer"), this);
  browse = [this] {
    return QFileDialog::getExistingDirectory(
        this, QStringLiteral("Selectionnez le répertoire où sauver les résultats des tournois"), DataFolder);
  };
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(changeFolderButton);
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(keepButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Dossier des fichiers de résultats de tournois:"), this));
  layout->addWidget(Memo1);
  layout->addLayout(buttons);
  connect(changeFolderButton, &QPushButton::clicked, this, [this] {
    const QString path = browse();
    if (!path.isEmpty() && ChangeResultsFolder(path)) Memo1->setPlainText(DataFolder);
  });
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(keepButton, &QPushButton::clicked, this, &QDialog::reject);
  ui::StyleWindow(this, {.cancelButton = keepButton});
}

TForm96::TForm96(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ByePosition);
  setWindowTitle(QStringLiteral("Modification de la position du BYE"));
  auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
  direction->setObjectName(QStringLiteral("RadioGroup3"));
  NorthSouth = new QRadioButton(QStringLiteral("N/S"), direction);
  EastWest = new QRadioButton(QStringLiteral("E/W"), direction);
  EastWest->setChecked(true);
  auto* directions = new QHBoxLayout(direction);
  directions->addWidget(NorthSouth);
  directions->addWidget(EastWest);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  highestNumberBox = new QCheckBox(QStringLiteral("A priori, au numéro le plus élevé"), this);
  highestNumberBox->setObjectName(QStringLiteral("CheckBox1"));
  askEachTimeBox = new QCheckBox(QStringLiteral("Soit on demande systématiquement"), this);
  askEachTimeBox->setObjectName(QStringLiteral("CheckBox2"));
  Label5 = new QLabel(this);
  Label5->setObjectName(QStringLiteral("Label5"));
  Button1 = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  Button1->setDefault(true);
  auto* number = new QHBoxLayout;
  number->addWidget(new QLabel(QStringLiteral("Numéro:"), this));
  number->addWidget(Edit1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Position actuelle:"), this));
  layout->addWidget(Label5);
  layout->addWidget(direction);
  layout->addLayout(number);
  layout->addWidget(highestNumberBox);
  layout->addWidget(askEachTimeBox);
  layout->addWidget(Button1);
  Label5->setText(ByePositionText());
  connect(Button1, &QPushButton::clicked, this, &TForm96::Button1Click);
  connect(askEachTimeBox, &QCheckBox::clicked, this, [this] {
    ForgetByePosition();
    accept();
  });
  ui::StyleWindow(this);
}

void TForm96::Button1Click() {
  if (ApplyByePosition(NorthSouth->isChecked() ? 1 : 2, Edit1->text(), highestNumberBox->isChecked())) accept();
}

TForm45::TForm45(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::GeneralOptions);
  setWindowTitle(QStringLiteral("Options générales"));
  const QList<std::tuple<int, QString, QString>> rows = {
      {kOptionVentilation, QStringLiteral("Button1"), QStringLiteral("Utilisation des fréquences ventilées")},
      {kOptionSheetOrder, QStringLiteral("Button2"), QStringLiteral("Affichage à priori des feuilles de marque")},
      {kOptionMixing, QStringLiteral("Button3"), QStringLiteral("Panachage des résultats fusionnés")},
      {kOptionFormula, QStringLiteral("Button4"), QStringLiteral("Formule de calcul de ce tournoi")},
      {kOptionRounds, QStringLiteral("Button5"), QStringLiteral("Nombre de tours réels de ce tournoi")},
      {kOptionLineSkip, QStringLiteral("Button6"), QStringLiteral("Saut de ligne après l'encodage du dernier résultat")},
      {kOptionEntry, QStringLiteral("Button7"), QStringLiteral("Encodage à priori des résultats")},
      {kOptionPbn, QStringLiteral("Button16"), QStringLiteral("Options d'importation des diagrammes (PBN)")},
      {kOptionTimesTen, QStringLiteral("Button12"), QStringLiteral("Marque normale ou x 10")},
      {kOptionTabletPassword, QStringLiteral("Button13"), QStringLiteral("Mot de passe pour les tablettes")},
      {kOptionByePosition, QStringLiteral("Button14"), QStringLiteral("Modifier la position du BYE")},
      {kOptionBridgeMates, QStringLiteral("Button15"), QStringLiteral("Paramètres des BridgeMates")},
  };
  auto* grid = new QGridLayout;
  int line = 0;
  for (const auto& [code, name, text] : rows) {
    auto* b = ui::MakeButton(name, text, this);
    auto* v = new QLabel(this);
    v->setObjectName(QStringLiteral("Value%1").arg(code));
    grid->addWidget(b, line, 0);
    grid->addWidget(v, line, 1);
    ++line;
    buttons_.append({code, b});
    values_.append({code, v});
    connect(b, &QPushButton::clicked, this, [this, code = code] { choose(code); });
  }
  mitchellButton = ui::MakeButton(QStringLiteral("Button11"), QStringLiteral("Mouvement à priori pour les Mitchells pairs"), this);
  auto* mitchell = new QLabel(this);
  mitchell->setObjectName(QStringLiteral("Value11"));
  values_.append({11, mitchell});
  grid->addWidget(mitchellButton, line, 0);
  grid->addWidget(mitchell, line++, 1);
  auto* folder = ui::MakeButton(QStringLiteral("Button9"), QStringLiteral("Dossier des fichiers de résultats de tournois"), this);
  buttons_.append({kOptionResultsFolder, folder});
  connect(folder, &QPushButton::clicked, this, [this] { choose(kOptionResultsFolder); });
  dataFolder = makeMemo(QStringLiteral("Memo1"), this);
  grid->addWidget(folder, line, 0);
  grid->addWidget(dataFolder, line++, 1);

  bralmetBox = new QCheckBox(QStringLiteral("Bralmet"), this);
  bralmetBox->setObjectName(QStringLiteral("CheckBox1"));
  auto* help = ui::MakeButton(QStringLiteral("Help1"), QStringLiteral("?"), this);
  help->setMaximumWidth(40);
  membersFileButton = ui::MakeButton(QStringLiteral("Panel1"), QStringLiteral("Fichier des membres du Bralmet pour Tallyvane"), this);
  membersFileButton->setAutoFillBackground(true);
  buttons_.append({kOptionMembersFile, membersFileButton});
  membersFile = makeMemo(QStringLiteral("Memo2"), this);
  auto* club = new QHBoxLayout;
  club->addWidget(bralmetBox);
  club->addWidget(help);
  club->addWidget(membersFileButton, 1);
  grid->addLayout(club, line, 0);
  grid->addWidget(membersFile, line++, 1);

  endButton = ui::MakeButton(QStringLiteral("Button10"), QStringLiteral("ESC/Echap = Fin"), this);
  endButton->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(endButton, 0, Qt::AlignRight);

  connect(membersFileButton, &QPushButton::clicked, this, [this] { choose(kOptionMembersFile); });
  connect(endButton, &QPushButton::clicked, this, [this] { choose(kOptionEnd); });
  connect(mitchellButton, &QPushButton::clicked, this, [this] {
    ChooseMitchellType();
    refresh();
  });
  connect(bralmetBox, &QCheckBox::clicked, this, [this](bool on) {
    SetClubMode(on);
    refresh();
  });
  connect(help, &QPushButton::clicked, this,
          [] { ShowAlert(QStringLiteral("Cochez cette case si le programme tourne au Bralmet...")); });
  ui::StyleWindow(this, {.cancelButton = endButton});
}

QPushButton* TForm45::button(int code) const {
  for (const auto& [c, b] : buttons_)
    if (c == code) return b;
  return nullptr;
}

QLabel* TForm45::value(int code) const {
  for (const auto& [c, v] : values_)
    if (c == code) return v;
  return nullptr;
}

void TForm45::choose(int code) {
  code_ = code;
  ChoiceResult = code;
  accept();
}

int TForm45::ask() {
  code_ = 0;
  exec();
  return code_;
}

void TForm45::refresh() {
  const OptionSummary s = FillOptionSummary();
  value(kOptionVentilation)->setText(s.ventilation);
  value(kOptionSheetOrder)->setText(s.sheetOrder);
  value(kOptionMixing)->setText(s.mixing);
  value(kOptionFormula)->setText(s.formula);
  value(kOptionRounds)->setText(s.rounds);
  value(kOptionLineSkip)->setText(s.lineSkip);
  value(kOptionEntry)->setText(s.entry);
  value(kOptionTimesTen)->setText(s.timesTen);
  value(11)->setText(s.mitchell);
  value(kOptionTabletPassword)->setText(s.tabletPassword);
  value(kOptionBridgeMates)->setText(s.bridgeMates);
  value(kOptionByePosition)->setText(s.byePosition);
  button(kOptionFormula)->setEnabled(s.formulaEnabled);
  button(kOptionRounds)->setEnabled(s.roundsEnabled);
  button(kOptionEntry)->setEnabled(s.entryEnabled);
  button(kOptionTimesTen)->setEnabled(s.timesTenEnabled);
  button(kOptionTabletPassword)->setEnabled(s.passwordEnabled);
  button(kOptionBridgeMates)->setEnabled(s.bridgeMatesEnabled);
  dataFolder->setPlainText(s.dataFolder);
  membersFile->setPlainText(s.membersFile);
  membersFile->setVisible(s.clubMode);
  {
    const QSignalBlocker block(bralmetBox);
    bralmetBox->setChecked(s.clubMode);
  }
  membersFileButton->setEnabled(s.clubMode);
  QPalette p = membersFileButton->palette();
  p.setColor(QPalette::Button, s.clubMode ? QColor(0xA6, 0xCA, 0xF0) : palette().color(QPalette::Button));
  p.setColor(QPalette::ButtonText, s.clubMode ? QColor(Qt::black) : QColor(Qt::gray));
  membersFileButton->setPalette(p);
}

void TForm45::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) refresh();
  QDialog::showEvent(event);
}

namespace {

template <typename Window>
int askChoice(const ui::Choice& choice) {
  Window window;
  return window.ask(choice);
}

}  // namespace

void RegisterFlowWindows() {
  InstallCumulativeEndWindow();
  ui::RegisterChoiceWindow(forms::GeneralOptions, [](const ui::Choice&) {
    TForm45 window;
    return window.ask();
  });
  ui::RegisterChoiceWindow(forms::SplitFrequenciesOption, &askChoice<TForm47>);
  ui::RegisterChoiceWindow(forms::MixingOption, &askChoice<TForm48>);
  ui::RegisterChoiceWindow(forms::SkipOption, &askChoice<TForm49>);
  ui::RegisterChoiceWindow(forms::ComputationOption, &askChoice<TForm50>);
  ui::RegisterChoiceWindow(forms::DisplayOrderOption, &askChoice<TForm52>);
  ui::RegisterChoiceWindow(forms::EvenMitchellOption, &askChoice<TForm69>);
  ui::RegisterChoiceWindow(forms::ResultsFolderOption, [](const ui::Choice&) {
    TForm51 window;
    window.exec();
    return 1;
  });
  ui::RegisterChoiceWindow(forms::ByePosition, [](const ui::Choice&) {
    TForm96 window;
    return window.exec() == QDialog::Accepted ? 1 : 0;
  });
}
