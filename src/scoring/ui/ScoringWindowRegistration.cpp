#include "scoring/ui/ScoringWindowRegistration.h"

#include "core/Flows.h"
#include "core/ui/WindowInteraction.h"
#include "scoring/ui/AdjustmentWindows.h"
#include "scoring/ui/AdjustmentsPrintingWindow.h"
#include "scoring/ui/FrequencySheetsFormWindow.h"
#include "scoring/ui/FrequencySheetsScopeWindow.h"
#include "scoring/ui/MissingResultsWindow.h"
#include "scoring/ui/OpeningLeadWindow.h"
#include "scoring/ui/PageBreakWindow.h"
#include "scoring/ui/PairRecapWindow.h"
#include "scoring/ui/PairRecapsOutputWindow.h"
#include "scoring/ui/PrintedPairRecapsWindow.h"
#include "scoring/ui/PrintedResultsInfoWindow.h"
#include "scoring/ui/PrintedResultsLayoutWindow.h"
#include "scoring/ui/ResultsWindow.h"
#include "scoring/ui/ScoreConfirmationWindow.h"
#include "scoring/ui/ShownResultsLayoutWindow.h"
#include "scoring/ui/SkipReminderWindows.h"
#include "scoring/ui/TableSheetEntryWindow.h"
#include "scoring/ui/TravellerEntryWindow.h"

#include <QPointer>

namespace {

template <typename Window>
int Remind(const ui::Choice& choice) {
  Window window;
  window.setLines(choice.extra.value(QStringLiteral("title")).toString(),
                  choice.extra.value(QStringLiteral("lines")).toStringList());
  window.exec();
  return 1;
}

template <typename Window>
int AskIn(const ui::Choice& choice) {
  Window window;
  return window.ask(choice);
}

// The listing beside the deletion questions.
TForm33* DeletionListing() {
  static QPointer<TForm33> window;
  if (!window) window = new TForm33;
  return window;
}

}  // namespace

void RegisterScoringWindows() {
  flowWindows().showTravellerEntry = ShowTravellerEntry;
  flowWindows().enterTableSheets = [] { EnterTableSheets(ShowTableSheet); };
  ui::RegisterChoiceWindow(QStringLiteral("TForm62"), &Remind<TForm62>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm63"), &Remind<TForm63>);
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
  ui::RegisterChoiceWindow(QStringLiteral("TForm31"), &AskIn<TForm31>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm34"), &AskIn<TForm34>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm36"), &AskIn<TForm36>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm37"), &AskIn<TForm37>);
  ui::RegisterChoiceWindow(QStringLiteral("TForm33"), [](const ui::Choice& c) {
    TForm33 window;
    window.setText(c.text);
    return window.exec() == QDialog::Accepted ? 1 : c.cancelCode;
  });
  NoticeWindow deletionListing;
  deletionListing.show = [](const QString& text) {
    TForm33* w = DeletionListing();
    w->setText(text);
    w->show();
  };
  deletionListing.hide = [] { DeletionListing()->hide(); };
  flowWindows().notices.insert(QStringLiteral("TForm33"), deletionListing);
  ui::RegisterTextWindow(QStringLiteral("TForm32"), [](const ui::TextQuestion&) {
    TForm32 window;
    return window.ask();
  });
  ui::RegisterTextWindow(QStringLiteral("TForm76"), [](const ui::TextQuestion& q) {
    TForm76 window;
    return window.ask(q.prompt);
  });
  ui::RegisterTextWindow(QStringLiteral("TForm89"), [](const ui::TextQuestion& q) {
    TForm89 window;
    return window.ask(QStringLiteral("Ajustements spécifiques pour les BridgeMates\n") + q.prompt);
  });
  ui::RegisterTextWindow(QStringLiteral("TForm98"), [](const ui::TextQuestion&) -> std::optional<QString> {
    TForm98 window;
    return window.ask();
  });
}
