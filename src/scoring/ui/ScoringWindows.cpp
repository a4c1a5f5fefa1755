#include "scoring/ui/ScoringWindows.h"

#include "core/ui/WindowInteraction.h"
#include "scoring/ui/TForm113.h"
#include "scoring/ui/TForm15.h"
#include "scoring/ui/TForm16.h"
#include "scoring/ui/TForm17.h"
#include "scoring/ui/TForm18.h"
#include "scoring/ui/TForm19.h"
#include "scoring/ui/TForm21.h"
#include "scoring/ui/TForm23.h"
#include "scoring/ui/TForm24.h"
#include "scoring/ui/TForm29.h"
#include "scoring/ui/TForm42.h"
#include "scoring/ui/TForm43.h"
#include "scoring/ui/TForm46.h"
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
  ui::RegisterChoiceWindow(QStringLiteral("TForm16"), &AskIn<TForm16>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm18"), &AskIn<TForm18>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm113"), &AskIn<TForm113>);
  ui::RegisterTextWindow(QStringLiteral("TForm19"), [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm19 window;
    return window.ask(q.text);
  });
  ui::RegisterChoiceWindow(QStringLiteral("TForm23"), &AskIn<TForm23>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm24"), &AskIn<TForm24>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm29"), &AskIn<TForm29>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm42"), &AskIn<TForm42>);
  InstallResultsWindow();
  InstallRecapViewer();
  InstallCumulativeEndWindow();
}
