#include "scoring/ui/ScoringWindows.h"

#include "core/ui/WindowInteraction.h"
#include "scoring/ui/TForm15.h"
#include "scoring/ui/TForm21.h"
#include "scoring/ui/TForm60.h"

namespace {

template <typename Window>
int AskIn(const ui::Choice& choice) {
  Window window;
  return window.ask(choice);
}

}  // namespace

void RegisterScoringWindows() {
  ui::RegisterChoiceWindow(QStringLiteral("TForm60"), &AskIn<TForm60>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm15"), &AskIn<TForm15>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm21"), &AskIn<TForm21>);
}
