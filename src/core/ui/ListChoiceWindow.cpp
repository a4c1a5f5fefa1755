#include "core/ui/ListChoiceWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TForm82::TForm82(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ListChoice);
  setWindowTitle(QStringLiteral("Choisissez"));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->installEventFilter(this);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Label1 = new QLabel(QStringLiteral("Double-Click ou\nSélectionner + \nFermer ou OK ou ENTER"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  connect(Button1, &QPushButton::clicked, this, [this] { done(selectedAnswer()); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { done(selectedAnswer()); });
  ui::MakeChoiceList(ListBox1, [this] { done(selectedAnswer()); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  layout->addWidget(Label1);
  resize(420, 520);
  ui::StyleWindow(this);
}

int TForm82::ask(const QString& caption, const QStringList& lines) {
  setWindowTitle(caption.isEmpty() ? QStringLiteral("Choisissez") : caption);
  typed_.clear();
  ListBox1->clear();
  ListBox1->addItems(lines);
  ui::StartChoiceAt(ListBox1, -1);
  ListBox1->setFocus();
  const int answer = exec();
  return answer > 0 ? answer : 0;
}

int TForm82::selectedAnswer() const {
  return ui::ChosenRow(ListBox1) + 1;
}

void TForm82::selectFirstMatch() {
  for (int row = 0; row < ListBox1->count(); ++row) {
    if (ListBox1->item(row)->text().startsWith(typed_, Qt::CaseInsensitive)) {
      ListBox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
      ListBox1->scrollToItem(ListBox1->item(row));
      return;
    }
  }
  ListBox1->clearSelection();
}

bool TForm82::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Left:
      case Qt::Key_Delete:
        if (typed_.size() >= 2) typed_.chop(1);
        selectFirstMatch();
        return true;
      case Qt::Key_Escape:
        reject();
        return true;
      default:
        break;
    }
    const QString text = key->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      typed_ += text;
      selectFirstMatch();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TForm82::reject() {
  ListBox1->clearSelection();
  done(0);
}

void TForm82::closeEvent(QCloseEvent* event) {
  // The close box answers like "&OK".
  done(selectedAnswer());
  event->accept();
}
