#include "scoring/ui/ScoringWindowRegistration.h"

#include "core/Flows.h"
#include "core/FormNames.h"
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
  ui::RegisterChoiceWindow(forms::SkipReminderBefore, &Remind<TForm62>);
  ui::RegisterChoiceWindow(forms::SkipReminderAfter, &Remind<TForm63>);
  ui::RegisterChoiceWindow(forms::ScoreConfirmation, &AskIn<TForm60>);
  ui::RegisterChoiceWindow(forms::MissingResults, &AskIn<TForm15>);
  ui::RegisterChoiceWindow(forms::AdjustmentsPrinting, &AskIn<TForm21>);
  ui::RegisterChoiceWindow(forms::ShownResultsLayout, &AskIn<TForm16>);
  ui::RegisterChoiceWindow(forms::PrintedResultsLayout, &AskIn<TForm18>);
  ui::RegisterChoiceWindow(forms::PageBreak, &AskIn<TForm113>);
  ui::RegisterTextWindow(forms::PrintedResultsInfo, [](const ui::TextQuestion& q) -> std::optional<QString> {
    TForm19 window;
    return window.ask(q.text);
  });
  ui::RegisterChoiceWindow(forms::FrequencySheetsScope, &AskIn<TForm23>);
  ui::RegisterChoiceWindow(forms::FrequencySheetsForm, &AskIn<TForm24>);
  ui::RegisterChoiceWindow(forms::PairRecapsOutput, &AskIn<TForm29>);
  ui::RegisterChoiceWindow(forms::PrintedPairRecaps, &AskIn<TForm42>);
  InstallResultsWindow();
  InstallRecapViewer();
  ui::RegisterChoiceWindow(forms::Adjustments, &AskIn<TForm31>);
  ui::RegisterChoiceWindow(forms::AdjustmentErasure, &AskIn<TForm34>);
  ui::RegisterChoiceWindow(forms::MatchpointPenalties, &AskIn<TForm36>);
  ui::RegisterChoiceWindow(forms::ImpPenalties, &AskIn<TForm37>);
  ui::RegisterChoiceWindow(forms::AdjustmentsListing, [](const ui::Choice& c) {
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
  flowWindows().notices.insert(forms::AdjustmentsListing, deletionListing);
  ui::RegisterTextWindow(forms::AdjustedPair, [](const ui::TextQuestion&) {
    TForm32 window;
    return window.ask();
  });
  ui::RegisterTextWindow(forms::FrequencyAdjustments, [](const ui::TextQuestion& q) {
    TForm76 window;
    return window.ask(q.prompt);
  });
  ui::RegisterTextWindow(forms::BridgeMatesAdjustments, [](const ui::TextQuestion& q) {
    TForm89 window;
    return window.ask(QStringLiteral("Ajustements spécifiques pour les BridgeMates\n") + q.prompt);
  });
  ui::RegisterTextWindow(forms::OpeningLead, [](const ui::TextQuestion&) -> std::optional<QString> {
    TForm98 window;
    return window.ask();
  });
}
