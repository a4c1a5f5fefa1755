#include "setup/ui/ExistingTournamentWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "setup/Parameters.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString kForm = forms::ExistingTournament;
}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setObjectName(kForm);
  setWindowTitle(QStringLiteral("Message"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  heading = new QLabel(QStringLiteral("Le tournoi existe"), this);
  heading->setObjectName(QStringLiteral("Label1"));
  QFont big = font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  heading->setFont(big);
  auto* question = new QLabel(QStringLiteral("Que faites-vous?"), this);
  question->setObjectName(QStringLiteral("Label2"));
  layout->addWidget(heading);
  layout->addWidget(question);

  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  auto make = [&](const QString& name, const QString& caption, int code, int row) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, code] {
      answer_ = code;
      done(code);
    });
    grid->addWidget(b, row, 0);
    return b;
  };
  Button1 = make(QStringLiteral("Button1"), QStringLiteral("Vous &gardez le nom et effacez l'ancien"), kEraseOld, 0);
  Button2 = make(QStringLiteral("Button2"), QStringLiteral("Vous &introduisez un autre code"), kOtherCode, 1);
  Button3 = make(QStringLiteral("Button3"), QStringLiteral("Vous &rechargez cet ancien tournoi"), kReloadOld, 2);
  Button6 = make(QStringLiteral("Button6"), QStringLiteral("Vous créez un &nouveau tournoi avec ces paires"),
                 kNewWithPairs, 3);
  Button5 = make(QStringLiteral("Button5"), QStringLiteral("Vous revenez au &menu précédent"), kBackToParameters, 4);
  auto* note = new QLineEdit(QStringLiteral("= ENTER"), this);
  note->setObjectName(QStringLiteral("Edit1"));
  note->setReadOnly(true);
  note->setFocusPolicy(Qt::NoFocus);
  note->setFrame(false);
  QPalette red = note->palette();
  red.setColor(QPalette::Text, Qt::red);
  note->setPalette(red);
  note->setMaximumWidth(90);
  grid->addWidget(note, 0, 1);

  auto* quit = new QHBoxLayout;
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("Quitter"));
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(0); });
  quit->addWidget(BitBtn2);
  quit->addWidget(new QLabel(QStringLiteral("ou Esc/Echap"), this));
  quit->addStretch();
  layout->addLayout(quit);
  ui::RegisterChoiceWindow(kForm, [this](const ui::Choice& c) { return ask(c); });
  ui::StyleWindow(this, {.onEnter =
                             [this] {
                               if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
                             },
                         .onEscape =
                             [this] {
                               answer_ = 0;
                               done(0);
                             }});
}

TForm3::~TForm3() { ui::RegisterChoiceWindow(kForm, nullptr); }

int TForm3::ask(const ui::Choice& choice) {
  heading->setText(choice.text.isEmpty() ? QStringLiteral("Le tournoi existe") : choice.text);
  answer_ = 0;
  exec();
  return answer_;
}

void TForm3::showEvent(QShowEvent* event) {
  answer_ = 0;  // the close box and Esc never give an earlier answer
  ChoiceResult = 0;
  QDialog::showEvent(event);
  adjustSize();
  ui::CentreOnScreen(this);
  Button1->setDefault(true);
  Button1->setFocus();
}
