#include "scoring/ui/ResultsWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ui/Printer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

TForm17::TForm17(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::Results);
  setWindowTitle(QStringLiteral("Affichage des résultats"));
  auto memo = [this](const char* name) {
    auto* m = new QPlainTextEdit(this);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setFont(ui::PrintoutFont());
    return m;
  };
  auto label = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  Memo1 = memo("Memo1");
  Memo2 = memo("Memo2");
  Label1 = label("Label1");
  Label2 = label("Label2");
  Label3 = label("Label3");
  Label4 = label("Label4");
  StaticText1 = label("StaticText1");
  StaticText1->setText(QStringLiteral("( Ou création d'un PDF )"));
  QFont title = Label4->font();
  title.setBold(true);
  title.setPointSize(title.pointSize() + 2);
  Label4->setFont(title);
  Button1 = new QPushButton(QStringLiteral("ESC/Echap = FIN"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  BitBtn1 = new QPushButton(QStringLiteral("Imprimer les résultats"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QWidget::close);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm17::BitBtn1Click);

  auto* heading = new QHBoxLayout;
  heading->addWidget(Label4, 1);
  heading->addWidget(Label3);
  auto* buttons = new QHBoxLayout;
  auto* print = new QVBoxLayout;
  print->addWidget(BitBtn1);
  print->addWidget(StaticText1, 0, Qt::AlignHCenter);
  buttons->addLayout(print);
  buttons->addStretch();
  buttons->addWidget(Button1, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(heading);
  layout->addWidget(Label1);
  layout->addWidget(Memo1, 1);
  layout->addWidget(Label2);
  layout->addWidget(Memo2, 1);
  layout->addLayout(buttons);
  resize(kFormSize);
  ui::StyleWindow(this, {.centre = false,
                         .onEnter =
                             [this] {
                               if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
                             },
                         .onEscape = [this] { close(); }});
  // 80 columns of the lists fit in the form's width.
  for (QPlainTextEdit* m : {Memo1, Memo2}) {
    QFont f = m->font();
    const qreal columns = QFontMetricsF(f).horizontalAdvance(QString(80, QLatin1Char('0')));
    const qreal room = kFormSize.width() - 60;
    if (columns > room && f.pointSizeF() > 0) {
      f.setPointSizeF(f.pointSizeF() * room / columns);
      m->setFont(f);
    }
  }
  for (QWidget* w : findChildren<QWidget*>()) basePointSizes_.insert(w, w->font().pointSizeF());
  basePointSizes_.insert(this, font().pointSizeF());
}

QRect ScaledToScreen(QSize form, QRect area) {
  if (form.isEmpty() || area.isEmpty()) return area;
  const double ratio = static_cast<double>(form.width()) / form.height();
  QSize size;
  if (static_cast<double>(area.width()) / area.height() > ratio)
    size = QSize(static_cast<int>(std::lround(area.height() * ratio)), area.height());
  else
    size = QSize(area.width(), static_cast<int>(std::lround(area.width() / ratio)));
  size = size.boundedTo(area.size());
  return {area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
          size.width(), size.height()};
}

void TForm17::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  placeOnScreen();
}

void TForm17::placeOnScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // The frame the window system draws around the window fits on the screen
  // too, the first display included, when that frame is not known yet.
  placedFrame_ = ui::WindowFrame(this);
  const QRect area = screen->availableGeometry().marginsRemoved(placedFrame_);
  const QRect place = ScaledToScreen(kFormSize, area);
  // The text first, so that the controls' least sizes allow the new size.
  scaleContents(place.width());
  if (layout()) layout()->activate();
  setGeometry(place);
}

void TForm17::refitToItsFrame() {
  // Once the window system has framed the window, a frame other than the
  // one it was placed for places it again; the director's own moves and
  // resizes leave the frame as it was and are kept.
  if (!isVisible() || placing_) return;
  const QMargins known = ui::KnownFrame(this);
  if (known.isNull() || known == placedFrame_) return;
  placing_ = true;
  placeOnScreen();
  placing_ = false;
}

void TForm17::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  refitToItsFrame();
}

void TForm17::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  scaleContents(width());
  refitToItsFrame();
}

void TForm17::scaleContents(int windowWidth) {
  const qreal factor = static_cast<qreal>(windowWidth) / kFormSize.width();
  for (auto it = basePointSizes_.constBegin(); it != basePointSizes_.constEnd(); ++it) {
    if (it.value() <= 0) continue;
    QFont f = it.key()->font();
    const qreal size = std::max<qreal>(1, it.value() * factor);
    if (std::abs(f.pointSizeF() - size) < 0.01) continue;
    f.setPointSizeF(size);
    it.key()->setFont(f);
  }
}

void TForm17::fill(const ResultsView& view) {
  view_ = view;
  Label1->setText(view.label1);
  Label2->setText(view.label2);
  Label3->setText(view.label3);
  Label4->setText(view.label4);
  Memo1->setPlainText(view.memo1.join(QLatin1Char('\n')));
  Memo2->setPlainText(view.memo2.join(QLatin1Char('\n')));
  // One list: Memo1 takes the place of Memo2.
  const bool two = !view.patton && !view.merged;
  Label2->setVisible(two);
  Memo2->setVisible(two);
}

void TForm17::showView(const ResultsView& view) {
  fill(view);
  if (isMinimized() || isMaximized()) showNormal();
  show();
  raise();
  activateWindow();
  BitBtn1->setFocus();
}

void TForm17::BitBtn1Click() {
  if (view_.patton) {
    PrintPattonResults();
    return;
  }
  // The printout follows the layout on screen, not one set since.
  OneWinnerMitchell = view_.merged;
  PrintPairResults(false);
}

void InstallResultsWindow() {
  static QPointer<TForm17> window;
  flowWindows().showResults = [](const ResultsView& view) {
    if (!window) {
      window = new TForm17;
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(), &QObject::deleteLater);
    }
    window->showView(view);
  };
}
