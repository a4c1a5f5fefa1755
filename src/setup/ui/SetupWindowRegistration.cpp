#include "setup/ui/SetupWindowRegistration.h"

#include "core/ui/WindowInteraction.h"
#include "setup/ui/PairCountWindow.h"
#include "setup/ui/TabletNamesInfoWindow.h"
#include "setup/ui/EraseNameQuestionWindow.h"
#include "setup/ui/ByePairWindow.h"
#include "setup/ui/BridgeMatesNamesInfoWindow.h"
#include "setup/ui/BoardsPerTableWindow.h"
#include "setup/ui/RoundsPlayedWindow.h"
#include "setup/ui/MovementFileChoiceWindow.h"
#include "setup/ui/MitchellBoardsWindow.h"
#include "setup/ui/MitchellTypeWindow.h"
#include "setup/ui/MovementKindWindow.h"

#include <QCheckBox>

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
}
