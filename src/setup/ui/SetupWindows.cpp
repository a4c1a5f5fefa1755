#include "setup/ui/SetupWindows.h"

#include "core/ui/WindowInteraction.h"
#include "setup/ui/TForm10.h"
#include "setup/ui/TForm6.h"
#include "setup/ui/TForm65.h"
#include "setup/ui/TForm7.h"
#include "setup/ui/TForm8.h"
#include "setup/ui/TForm9.h"

#include <QFileDialog>

void RegisterSetupWindows() {
  ui::RegisterChoiceWindow(QStringLiteral("TForm9"), [](const ui::Choice& c) {
    TForm9 window;
    return window.ask(c);
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm8"), [](const ui::Choice& c) {
    TForm8 window;
    return window.ask(c);
  });
  ui::RegisterListWindow(QStringLiteral("TForm10"), [](const ui::ListChoice& c) {
    TForm10 window;
    return window.ask(c);
  });
  ui::RegisterListWindow(QStringLiteral("TForm65"), [](const ui::ListChoice& c) {
    TForm65 window;
    return window.ask(c);
  });
  ui::RegisterTextWindow(QStringLiteral("TForm7"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm7 window;
    return window.ask(q);
  });
  ui::RegisterTextWindow(QStringLiteral("TForm6"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm6 window;
    return window.ask(q);
  });
  // The open dialog of a movement file: all files, starting in the folder given.
  ui::RegisterTextWindow(QStringLiteral("TOpenDialog"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    const QString path = QFileDialog::getOpenFileName(nullptr, q.caption, q.text, QStringLiteral("*"));
    if (path.isEmpty()) return std::nullopt;
    return path;
  });
}
