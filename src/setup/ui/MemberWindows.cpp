#include "setup/ui/MemberWindows.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "setup/ClubMembers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

QLineEdit* makeEdit(const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

}  // namespace

MemberEditDialog::MemberEditDialog(const QString& name, const QString& title, const QString& heading,
                                   const QString& note, QWidget* parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(title);
  firstNameField = makeEdit(QStringLiteral("Edit1"), this);
  surnameField = makeEdit(QStringLiteral("Edit2"), this);
  numberField = makeEdit(QStringLiteral("Edit3"), this);
  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  cancelButton = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("&Annuler"), this);
  auto* fileName = new QLabel(MembersDatLocation, this);
  fileName->setObjectName(QStringLiteral("FileName"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Prénom:"), this), 0, 0);
  grid->addWidget(firstNameField, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("<- Peut être vide"), this), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Nom:"), this), 1, 0);
  grid->addWidget(surnameField, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("<- Peut être vide"), this), 1, 2);
  grid->addWidget(new QLabel(note, this), 2, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Numéro:"), this), 3, 0);
  grid->addWidget(numberField, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("<- Obligatoire pour les BridgeMates; "), this), 3, 2);
  footer = new QLabel(this);
  footer->hide();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  auto* head = new QLabel(heading, this);
  QFont bold = head->font();
  bold.setBold(true);
  head->setFont(bold);
  layout->addWidget(head);
  layout->addWidget(new QLabel(QStringLiteral("Fichier des joueurs dans Tallyvane :"), this));
  layout->addWidget(fileName);
  layout->addLayout(grid);
  layout->addWidget(footer);
  layout->addLayout(buttons);
  connect(okButton, &QPushButton::clicked, this, [this] {
    if (store()) accept();
  });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  firstNameField->setFocus();
  ui::StyleWindow(this, {.cancelButton = cancelButton});
}

TForm101::TForm101(QWidget* parent)
    : MemberEditDialog(forms::MemberAdd, QStringLiteral("Ajouter un joueur à la BD"),
                       QStringLiteral("Ajouter un joueur à la Base de données des joueurs"),
                       QStringLiteral("( Mais pas les deux vides... )"), parent) {}

bool TForm101::store() { return AddClubPlayer(firstNameField->text(), surnameField->text(), numberField->text()); }

TForm102::TForm102(int member, QWidget* parent)
    : MemberEditDialog(forms::MemberEdit, QStringLiteral("Modifier un joueur"),
                       QStringLiteral("Modifier un joueur dans la Base de données des joueurs"),
                       QStringLiteral("( Mais pas les deux... )"), parent),
      member_(member) {
  const bool known = member >= 1 && member <= std::min(MemberCount, kMaxPlayers);
  if (known) {
    firstNameField->setText(MemberField2[member]);
    surnameField->setText(MemberField1[member]);
    numberField->setText(MemberField3[member]);
    footer->setText(QStringLiteral("Pour mémoire, numéro d'ordre dans la base de données des noms de Tallyvane: %1")
                        .arg(MemberRecordIndex[member]));
    footer->show();
  }
}

bool TForm102::store() { return ModifyClubPlayer(member_, firstNameField->text(), surnameField->text(), numberField->text()); }

TForm100::TForm100(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::MemberList);
  setWindowTitle(QStringLiteral("Liste des joueurs"));
  StringGrid1 = new QTableWidget(0, 3, this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setHorizontalHeaderLabels({QStringLiteral("NOM"), QStringLiteral("Prénom"), QStringLiteral("Numéro")});
  StringGrid1->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: yellow; }"));
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setMinimumSize(520, 420);
  StringGrid1->viewport()->installEventFilter(this);
  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  addButton = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("&Ajouter un joueur"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Fichier des joueurs"), this));
  layout->addWidget(new QLabel(QStringLiteral("Modifiez en cliquant sur une cellule"), this));
  layout->addWidget(new QLabel(QStringLiteral("Cliquez sur le titre d'une colonne pour trier sur cette colonne"), this));
  layout->addWidget(StringGrid1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addButton);
  buttons->addStretch();
  buttons->addWidget(new QLabel(QStringLiteral("A la fin, cliquez sur le bouton OK"), this));
  buttons->addWidget(okButton);
  buttons->addWidget(new QLabel(QStringLiteral("( = ENTER )"), this));
  buttons->addWidget(new QLabel(QStringLiteral("ESC = Annuler"), this));
  layout->addLayout(buttons);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(addButton, &QPushButton::clicked, this, [this] {
    TForm101 add(this);
    add.exec();
    RebuildClubPlayersFile();
    rows_.clear();
    fill();
  });
  connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm100::sortByColumn);
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { editRow(row); });
  fill();
  ui::StyleWindow(this, {.cancelButton = okButton});
}

void TForm100::fill() {
  const int count = std::clamp(MemberCount, 0, kMaxPlayers);
  if (rows_.size() != count) {
    rows_.clear();
    for (int m = 1; m <= count; ++m) rows_ << m;
  }
  StringGrid1->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < rows_.size(); ++r) {
    const int m = rows_[r];
    StringGrid1->setItem(r, 0, new QTableWidgetItem(MemberField1[m]));
    StringGrid1->setItem(r, 1, new QTableWidgetItem(MemberField2[m]));
    StringGrid1->setItem(r, 2, new QTableWidgetItem(MemberField3[m]));
  }
}

void TForm100::sortByColumn(int column) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto field = [column](int m) -> const QString& {
    return column == 0 ? MemberField1[m] : column == 1 ? MemberField2[m] : MemberField3[m];
  };
  std::stable_sort(rows_.begin(), rows_.end(),
                   [&](int a, int b) { return field(a).compare(field(b), Qt::CaseInsensitive) < 0; });
  fill();
  QApplication::restoreOverrideCursor();
}

void TForm100::editRow(int row) {
  if (row < 0 || row >= rows_.size()) return;
  TForm102 edit(rows_[row], this);
  edit.exec();
  fill();
}

bool TForm100::eventFilter(QObject* watched, QEvent* event) {
  // The wheel does not scroll the list.
  if (watched == StringGrid1->viewport() && event->type() == QEvent::Wheel) return true;
  return QDialog::eventFilter(watched, event);
}

TForm111::TForm111(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::MembersFile);
  setWindowTitle(QStringLiteral("Fichier des membres"));
  Memo1 = new QPlainTextEdit(MembersDatLocation, this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setMaximumHeight(Memo1->fontMetrics().height() * 3);
  Memo1->setMinimumWidth(400);
  changeFileButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("Changer le fichier"), this);
  okButton = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  keepButton = ui::MakeButton(QStringLiteral("Button3"), QStringLiteral("Ne rien changer"), this);
  browse = [this] {
    return QFileDialog::getOpenFileName(this, QStringLiteral("Montrez le fichier des membres de Tallyvane"),
                                        QDir::rootPath(), QStringLiteral("Fichiers DAT (*.dat)"));
  };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Nom et place du fichier des membres"), this));
  layout->addWidget(new QLabel(QStringLiteral("Actuellement:"), this));
  layout->addWidget(Memo1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(changeFileButton);
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(new QLabel(QStringLiteral("= ENTER"), this));
  buttons->addWidget(keepButton);
  buttons->addWidget(new QLabel(QStringLiteral("= ESC"), this));
  layout->addLayout(buttons);
  connect(changeFileButton, &QPushButton::clicked, this, [this] {
    // A cancelled choice keeps the file in force.
    const QString chosen = browse();
    if (chosen.isEmpty()) return;
    SetMembersFileLocation(QDir::toNativeSeparators(chosen));
    Memo1->setPlainText(MembersDatLocation);
  });
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(keepButton, &QPushButton::clicked, this, &QDialog::reject);
  ui::StyleWindow(this, {.cancelButton = keepButton});
}

void RegisterMemberWindows() {
  ui::RegisterChoiceWindow(forms::MemberList, [](const ui::Choice&) {
    TForm100 window;
    window.exec();
    return 1;
  });
  ui::RegisterChoiceWindow(forms::MembersFile, [](const ui::Choice&) {
    TForm111 window;
    window.exec();
    return 1;
  });
  ui::RegisterTextWindow(QStringLiteral("MembersFileDialog"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    const QString path = QFileDialog::getOpenFileName(nullptr, q.caption, QDir::rootPath(),
                                                      QStringLiteral("Fichiers *Members (*.DAT)"));
    if (path.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(path);
  });
}
