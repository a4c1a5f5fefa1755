#include "flows/ui/CumulativeEndWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Messages.h"
#include "core/ui/WindowStyle.h"
#include "flows/Quit.h"
#include "publishing/UsebioExport.h"
#include "scoring/Cumulative.h"
#include "scoring/ResultListings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TForm46::TForm46(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::CumulativeEnd);
  setWindowTitle(QStringLiteral("Fin du cumul"));
  Button10 = new QPushButton(QStringLiteral("&Affichage et impression des résultats"), this);
  Button10->setObjectName(QStringLiteral("Button10"));
  Button26 = new QPushButton(QStringLiteral("&Sauver les résultats pour BridgeWebs"), this);
  Button26->setObjectName(QStringLiteral("Button26"));
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("Quitter"));
  for (QPushButton* b : {Button10, Button26, BitBtn2}) b->setAutoDefault(true);
  connect(Button10, &QPushButton::clicked, this, [] { ShowPairResults(); });
  connect(Button26, &QPushButton::clicked, this, [] { ExportBridgeWebsXml(); });
  connect(BitBtn2, &QPushButton::clicked, this, [] { QuitProgram(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Button10);
  layout->addWidget(Button26);
  layout->addWidget(BitBtn2, 0, Qt::AlignLeft);
  ui::StyleWindow(this, {.cancelButton = BitBtn2});
}

void TForm46::closeEvent(QCloseEvent* event) {
  // The program ends only through the quit routine.
  event->ignore();
  QuitProgram();
}

void InstallCumulativeEndWindow() {
  static QPointer<TForm46> window;
  flowWindows().showCumulativeEnd = [] {
    if (!window) {
      window = new TForm46;
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(), &QObject::deleteLater);
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->Button10->setFocus();
  };
}
