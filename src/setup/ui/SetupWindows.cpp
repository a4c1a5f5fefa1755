#include "setup/ui/SetupWindows.h"

#include "core/ui/WindowInteraction.h"
#include "setup/ui/TForm11.h"
#include "setup/ui/TForm67.h"
#include "setup/ui/TForm70.h"
#include "setup/ui/TForm71.h"
#include "setup/ui/TForm86.h"
#include "setup/ui/TForm10.h"
#include "setup/ui/TForm6.h"
#include "setup/ui/TForm65.h"
#include "setup/ui/TForm7.h"
#include "setup/ui/TForm8.h"
#include "setup/ui/TForm9.h"

#include <QCheckBox>
#include <QFileDialog>

namespace {

template <typename Window>
int ShowInfo(const ui::Choice& choice) {
  Window window;
  window.setText(choice.text);
  if (window.CheckBox1) window.CheckBox1->setChecked(false);
  window.exec();
  return choice.codes.isEmpty() ? 1 : choice.codes.first();
}

}  // namespace

void RegisterSetupWindows() {
  ui::RegisterTextWindow(QStringLiteral("TForm11"), [](const ui::TextQuestion&) {
    TForm11 window;
    return window.ask();
  });
  ui::RegisterTextWindow(QStringLiteral("TForm71"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm71 window;
    return window.ask(ByeWindowState::fromText(q.text)).toText();
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm70"), [](const ui::Choice& c) {
    TForm70 window;
    return window.ask(c.text);
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm67"), &ShowInfo<TForm67>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm86"), &ShowInfo<TForm86>);
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
  // The open dialog of a file: starting in the folder given, the files of the
  // filter given as the prompt (all files without one).
  ui::RegisterTextWindow(QStringLiteral("TOpenDialog"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    const QString filter = q.prompt.isEmpty() ? QStringLiteral("*") : q.prompt;
    const QString path = QFileDialog::getOpenFileName(nullptr, q.caption, q.text, filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
  });
}
