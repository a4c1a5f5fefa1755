#include "flows/ui/StartScreenTestEntry.h"

#include "core/ui/MessageWindow.h"
#include "core/FormNames.h"
#include "flows/ui/StartScreenWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>

void CloseStartScreenOnceShown(TForm1& startScreen) {
  QTimer::singleShot(100, &startScreen, [&startScreen] {
    std::printf("start screen shown: %s\n", startScreen.isVisible() ? "visible" : "hidden");
    if (auto* status = startScreen.findChild<QLabel*>(QStringLiteral("StatusLabel")))
      std::printf("start screen status: %s\n", qPrintable(status->text()));
    std::fflush(stdout);
    auto* confirm = new QTimer(&startScreen);
    QObject::connect(confirm, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->objectName() == forms::QuitConfirmation)
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("Button1"))) ok->click();
    });
    confirm->start(50);
    startScreen.close();
  });
}

void AnswerMessagesFromTests() {
  auto* answer = new QTimer(qApp);
  QObject::connect(answer, &QTimer::timeout, [] {
    auto* message = qobject_cast<TForm26*>(QApplication::activeModalWidget());
    if (!message) return;
    std::printf("message: %s\n", message->text().toUtf8().constData());
    std::fflush(stdout);
    message->Button1->click();
  });
  answer->start(50);
}
