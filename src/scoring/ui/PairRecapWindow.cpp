#include "scoring/ui/PairRecapWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "scoring/PairRecaps.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

TForm43::TForm43(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::PairRecap);
  setWindowTitle(QStringLiteral("Récapitulatif par paires"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setFont(ui::FontFor(QStringLiteral("Courier New")));
  Memo1->setFocusPolicy(Qt::NoFocus);
  Label1 = new QLabel(QStringLiteral("( Récapitulatif de"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = new QLabel(QStringLiteral("la paire suivante )"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Button1 = new QPushButton(QStringLiteral("&OK / ENTER / ESC / Echap"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TForm43::next);

  auto* buttons = new QHBoxLayout;
  auto* labels = new QVBoxLayout;
  labels->addWidget(Label1);
  labels->addWidget(Label2);
  buttons->addWidget(Button1);
  buttons->addLayout(labels);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1, 1);
  layout->addLayout(buttons);
  const QFontMetrics metrics(Memo1->font());
  resize(metrics.horizontalAdvance(QString(80, QLatin1Char('M'))) + 60, metrics.lineSpacing() * 30 + 80);
  ui::StyleWindow(this, {.cancelButton = Button1, .onEnter = [this] { next(); }});
}

void TForm43::open() {
  Memo1->clear();
  show();
  raise();
  activateWindow();
  Button1->setFocus();
}

void TForm43::fill(const QStringList& lines) {
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
  Memo1->moveCursor(QTextCursor::Start);
  Memo1->ensureCursorVisible();
  Button1->setFocus();
}

void TForm43::keyPressEvent(QKeyEvent* event) {
  if (event->text().compare(QLatin1String("o"), Qt::CaseInsensitive) == 0) {
    next();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TForm43::next() {
  hide();
  PrintPairRecaps(false);
}

void InstallRecapViewer() {
  static QPointer<TForm43> window;
  auto get = [] {
    if (!window) {
      window = new TForm43;
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(), &QObject::deleteLater);
    }
    return window.data();
  };
  flowWindows().openPairRecap = [get] { get()->open(); };
  flowWindows().fillPairRecap = [get](const QStringList& lines) { get()->fill(lines); };
  flowWindows().closePairRecap = [] {
    if (window) window->hide();
  };
}
