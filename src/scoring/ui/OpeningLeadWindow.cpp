#include "scoring/ui/OpeningLeadWindow.h"

#include "core/FormNames.h"
#include "core/Messages.h"
#include "core/ui/WindowStyle.h"
#include "scoring/ui/OpeningLeadHelpWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList kRanks = {QStringLiteral("A"), QStringLiteral("R"), QStringLiteral("D"), QStringLiteral("V"),
                            QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("8"), QStringLiteral("7"),
                            QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"),
                            QStringLiteral("2"), QStringLiteral("x")};
const QStringList kSuits = {QStringLiteral("P"), QStringLiteral("C"), QStringLiteral("K"), QStringLiteral("T")};
const QStringList kSuitSigns = {QStringLiteral("\u2660 P"), QStringLiteral("\u2665 C"), QStringLiteral("\u2666 K"),
                                QStringLiteral("\u2663 T")};

void SetCream(QLineEdit* field) {
  QPalette p = field->palette();
  p.setColor(QPalette::Base, QColor(0xFF, 0xFB, 0xF0));
  p.setColor(QPalette::Text, Qt::black);
  field->setPalette(p);
}

}  // namespace

TForm98::TForm98(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::OpeningLead);
  setWindowTitle(QStringLiteral("Entame"));
  rankField = new QLineEdit(this);
  rankField->setObjectName(QStringLiteral("Edit1"));
  suitField = new QLineEdit(this);
  suitField->setObjectName(QStringLiteral("Edit2"));
  for (QLineEdit* field : {rankField, suitField}) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFixedWidth(48);
    field->setAlignment(Qt::AlignCenter);
  }
  auto* ranks = new QGridLayout;
  for (int i = 0; i < kRanks.size(); ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
    b->setText(kRanks[i]);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(34);
    connect(b, &QToolButton::clicked, this, [this, i] { InsererTexte(rankField, kRanks[i]); });
    ranks->addWidget(b, i / 7, i % 7);
  }
  auto* suits = new QHBoxLayout;
  for (int i = 0; i < kSuits.size(); ++i) {
    auto* b = new QPushButton(kSuitSigns[i], this);
    b->setObjectName(QStringLiteral("BitBtn%1").arg(i + 1));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    if (i == 1 || i == 2) b->setStyleSheet(QStringLiteral("color: red;"));
    connect(b, &QPushButton::clicked, this, [this, i] { InsererTexte(suitField, kSuits[i]); });
    suits->addWidget(b);
  }
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("Button1"));
  okButton->setDefault(true);
  unknownButton = new QPushButton(QStringLiteral("Inconnue"), this);
  unknownButton->setObjectName(QStringLiteral("Button2"));
  unknownButton->setAutoDefault(false);
  connect(okButton, &QPushButton::clicked, this, &TForm98::okClick);
  connect(unknownButton, &QPushButton::clicked, this, &TForm98::reject);
  LabelHelp = new QLabel(QStringLiteral("?\n(Aide)"), this);
  LabelHelp->setObjectName(QStringLiteral("LabelHelp"));
  LabelHelp->setAlignment(Qt::AlignCenter);
  LabelHelp->installEventFilter(this);

  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel(QStringLiteral("Entame:"), this));
  fields->addWidget(rankField);
  fields->addWidget(suitField);
  fields->addStretch();
  fields->addWidget(LabelHelp);
  auto* buttons = new QGridLayout;
  buttons->addWidget(okButton, 0, 0);
  buttons->addWidget(new QLabel(QStringLiteral("( ENTER )"), this), 0, 1);
  buttons->addWidget(unknownButton, 1, 0);
  buttons->addWidget(new QLabel(QStringLiteral("( ESC ) "), this), 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(ranks);
  layout->addLayout(suits);
  layout->addLayout(buttons);
  ui::StyleWindow(this, {.onEnter = [this] { okClick(); }, .onEscape = [this] { reject(); }});
}

TForm98::~TForm98() { closeHelp(); }

void TForm98::InsererTexte(QLineEdit* field, const QString& text) {
  field->setText(text);
  QPalette p = field->palette();
  p.setColor(QPalette::Base, Qt::yellow);
  p.setColor(QPalette::Text, Qt::red);
  field->setPalette(p);
}

QString TForm98::ask() {
  for (QLineEdit* field : {rankField, suitField}) {
    field->clear();
    SetCream(field);
  }
  // Beside the score sheet it was asked from.
  if (QWidget* sheet = QApplication::activeWindow(); sheet && sheet != this) {
    sheetCorner_ = sheet->pos();
    move(sheetCorner_ + QPoint(420, 50));
  }
  okButton->setFocus();
  if (exec() != Accepted) return {};
  return rankField->text() + suitField->text();
}

void TForm98::okClick() {
  const bool noRank = rankField->text().isEmpty();
  const bool noSuit = suitField->text().isEmpty();
  if (noRank && noSuit) {
    ShowAlert(QStringLiteral("Il faut introduire une carte *ET* une couleur (ou cliquer sur \"Entame inconnue\")!"));
  } else if (noRank) {
    ShowAlert(QStringLiteral("Il faut introduire une carte (ou cliquer sur \"Entame inconnue\")!"));
  } else if (noSuit) {
    ShowAlert(QStringLiteral("Il faut introduire une couleur (ou cliquer sur \"Entame inconnue\")!"));
  } else {
    closeHelp();
    accept();
  }
}

void TForm98::reject() {
  rankField->clear();
  suitField->clear();
  closeHelp();
  QDialog::reject();
}

void TForm98::showHelp() {
  if (!help_) help_ = new TForm99;
  help_->move(sheetCorner_ + QPoint(0, 50));
  help_->show();
}

void TForm98::closeHelp() {
  if (!help_) return;
  help_->close();
  delete help_;
  help_ = nullptr;
}

void TForm98::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text().toUpper();
  if (text.size() == 1) {
    const QChar c = text.at(0);
    if (c == u'A' || c == u'D' || c == u'R' || c == u'V' || (c >= u'2' && c <= u'9')) return InsererTexte(rankField, text);
    if (c == u'1' || c == u'0') return InsererTexte(rankField, QStringLiteral("10"));
    if (c == u'X') return InsererTexte(rankField, QStringLiteral("x"));
    if (c == u'C' || c == u'K' || c == u'P' || c == u'T') return InsererTexte(suitField, text);
    if (c == u',') return showHelp();
  }
  QDialog::keyPressEvent(event);
}

bool TForm98::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LabelHelp && event->type() == QEvent::MouseButtonPress) {
    showHelp();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
