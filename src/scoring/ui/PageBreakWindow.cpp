#include "scoring/ui/PageBreakWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/TextFiles.h"
#include "scoring/ResultListings.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm113::TForm113(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(forms::PageBreak);
  CheckBox1 = new QCheckBox(QStringLiteral("Mémoriser ce choix pour les futures impressions"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setPlainText(QStringLiteral("Pour que la question soit à nouveau posée, il suffit d'effacer le fichier "
                                     "SautAutomatique.TXT du dossier du programme."));
  Memo1->setMaximumHeight(60);
  body_->addWidget(CheckBox1);
  body_->addWidget(Memo1);
}

void TForm113::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  CheckBox1->setChecked(false);
  // One button per line: the captions are long sentences.
  for (QPushButton* b : buttons()) body_->addWidget(b);
}

void TForm113::done(int code) {
  if (code != 0) {
    ChoiceResult = code;
    try {
      SaveAutoPageBreakChoice(CheckBox1->isChecked());
    } catch (const platform::IoError& e) {
      ShowAlert(e.message());
    }
  }
  ChoiceDialog::done(code);
}
