#include "setup/ui/SetupWindowRegistration.h"

#include "core/FormNames.h"
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
  ui::RegisterTextWindow(forms::PairCount, [](const ui::TextQuestion&) {
    TForm11 window;
    return window.ask();
  });
  ui::RegisterTextWindow(forms::ByePair, [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm71 window;
    return window.ask(ByeWindowState::fromText(q.text)).toText();
  });
  ui::RegisterChoiceWindow(forms::EraseNameQuestion, [](const ui::Choice& c) {
    TForm70 window;
    return window.ask(c.text);
  });
  ui::RegisterChoiceWindow(forms::TabletNamesInfo, &ShowInfo<TForm67>);
  ui::RegisterChoiceWindow(forms::BridgeMatesNamesInfo, &ShowInfo<TForm86>);
  ui::RegisterChoiceWindow(forms::MovementKind, [](const ui::Choice& c) {
    TForm9 window;
    return window.ask(c);
  });
  ui::RegisterChoiceWindow(forms::MitchellType, [](const ui::Choice& c) {
    TForm8 window;
    return window.ask(c);
  });
  ui::RegisterListWindow(forms::BoardsPerTable, [](const ui::ListChoice& c) {
    TForm10 window;
    return window.ask(c);
  });
  ui::RegisterListWindow(forms::MovementFileChoice, [](const ui::ListChoice& c) {
    TForm65 window;
    return window.ask(c);
  });
  ui::RegisterTextWindow(forms::MitchellBoards, [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm7 window;
    return window.ask(q);
  });
  ui::RegisterTextWindow(forms::RoundsPlayed, [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm6 window;
    return window.ask(q);
  });
}
