#pragma once
// The one way up. A lower floor that must tell the program's flows something
// (a screen to show or hide, the counters to refresh, the next step of the
// evening) calls through this face, which the flows fill at start
// (InstallFlows) and the windows fill as they are created. No lower
// floor ever includes a flow's header.
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <type_traits>
#include <utility>

struct PrintOutcome;
struct HandRecordSheet;

// Raised by a face called while nobody filled it: names the member (a
// program or test that forgot an install meets this, never
// std::bad_function_call).
class NotInstalledError : public std::logic_error {
 public:
  explicit NotInstalledError(const char* face);
};

// One member of a face: a function that a higher floor fills, named so that
// an empty one can say which it is. Test it (if (face)) where empty is
// allowed; call it where it must be there.
template <typename Signature>
class Face;
template <typename R, typename... Args>
class Face<R(Args...)> {
 public:
  explicit Face(const char* name) : name_(name) {}
  Face(const Face&) = default;
  Face& operator=(const Face&) = default;
  template <typename F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, Face> && std::is_constructible_v<std::function<R(Args...)>, F>)
  Face& operator=(F&& call) {
    call_ = std::forward<F>(call);
    return *this;
  }
  Face& operator=(std::nullptr_t) {
    call_ = nullptr;
    return *this;
  }
  explicit operator bool() const { return static_cast<bool>(call_); }
  R operator()(Args... args) const {
    if (!call_) throw NotInstalledError(name_);
    return call_(std::forward<Args>(args)...);
  }
  const char* name() const { return name_; }

 private:
  const char* name_;
  std::function<R(Args...)> call_;
};

// The steps the flows run for a lower floor. All of them are filled by
// InstallFlows before the first window opens (in the program and in every
// test executable); stopCompanions by the program only. Calling an empty one
// raises NotInstalledError.
struct FlowSteps {
  Face<void()> quitProgram{"flowSteps().quitProgram"};  // the confirmed, orderly quit
  Face<bool(const QString& code)> reloadTournament{"flowSteps().reloadTournament"};
  Face<void()> startTournament{"flowSteps().startTournament"};  // the pair names' OK
  Face<void()> runGeneralOptions{"flowSteps().runGeneralOptions"};
  Face<void()> recomputeAndSaveResults{"flowSteps().recomputeAndSaveResults"};
  // The menu's counters counted from the slots and the names, then shown,
  // after a player is named (a result reaches them as news, core/ResultNews.h).
  Face<void()> recountMenuCounters{"flowSteps().recountMenuCounters"};
  // The menu's two counters shown as given (ShowCounters gives the counts).
  Face<void(const QString& players, const QString& results)> showCounters{"flowSteps().showCounters"};
  Face<void()> startTabletRetrieval{"flowSteps().startTabletRetrieval"};
  Face<void()> startBridgeMatesRetrieval{"flowSteps().startBridgeMatesRetrieval"};
  Face<void()> startTabletServer{"flowSteps().startTabletServer"};  // a resumed tournament's tablets
  Face<bool()> collectionRunning{"flowSteps().collectionRunning"};  // the collection timer is on
  // A long piece of work stops the collection and says so on the menu;
  // resume gives the menu back as it was.
  Face<void()> pauseMenuForWork{"flowSteps().pauseMenuForWork"};
  Face<void()> resumeMenuAfterWork{"flowSteps().resumeMenuAfterWork"};
  Face<void()> stopCompanions{"flowSteps().stopCompanions"};  // before a fatal stop
};
FlowSteps& flowSteps();

// What the results window shows.
struct ResultsView {
  bool patton = false;
  bool merged = true;  // one list (Memo1 covers Memo2) or N/S and E/W lists
  QString label1;      // title of Memo1
  QString label2;      // title of Memo2
  QString label3;      // scoring method
  QString label4;      // tournament line
  QStringList memo1;
  QStringList memo2;
};

// A window shown without waiting (ui::ShowNotice): show(text) and hide().
struct NoticeWindow {
  std::function<void(const QString&)> show;
  std::function<void()> hide;
};

// The windows the flows and the routines of the lower floors show, filled by
// each window when it is created (or installed) and emptied when it goes; a
// caller tests the member first where an absent window is allowed (it then
// does nothing, or says that the feature is not there).
struct FlowWindows {
  Face<void()> showStartScreen{"flowWindows().showStartScreen"};
  Face<void()> hideStartScreen{"flowWindows().hideStartScreen"};
  Face<void()> showParametersWindow{"flowWindows().showParametersWindow"};
  Face<void()> hideParametersWindow{"flowWindows().hideParametersWindow"};
  Face<void()> showFederationSummary{"flowWindows().showFederationSummary"};
  Face<void()> showTournamentMenu{"flowWindows().showTournamentMenu"};
  Face<void()> hideTournamentMenu{"flowWindows().hideTournamentMenu"};
  Face<void()> refreshMenu{"flowWindows().refreshMenu"};
  Face<void()> enterTableSheets{"flowWindows().enterTableSheets"};
  Face<void()> showTravellerEntry{"flowWindows().showTravellerEntry"};
  Face<void()> showPairChanges{"flowWindows().showPairChanges"};  // the menu's pair names, filled then shown
  // The pair-names window of a new tournament: shown with the focus on the
  // player list, hidden, its grids and player list redrawn from the data.
  Face<void()> showPairsEntry{"flowWindows().showPairsEntry"};
  Face<void()> hidePairsEntry{"flowWindows().hidePairsEntry"};
  Face<void()> refreshPairsEntry{"flowWindows().refreshPairsEntry"};
  // The pair-names window beside the menu, and the team names beside it.
  Face<void()> bringPairChangesForward{"flowWindows().bringPairChangesForward"};
  Face<void()> hidePairChanges{"flowWindows().hidePairChanges"};
  Face<void()> refreshPairChanges{"flowWindows().refreshPairChanges"};
  Face<void()> showTeamNames{"flowWindows().showTeamNames"};
  Face<void()> hideTeamNames{"flowWindows().hideTeamNames"};
  Face<void(const ResultsView&)> showResults{"flowWindows().showResults"};  // without blocking
  // The windows shown without waiting, by form name.
  QHash<QString, NoticeWindow> notices;
  Face<void()> showMovement{"flowWindows().showMovement"};
  Face<void()> showArrowSwitchReminder{"flowWindows().showArrowSwitchReminder"};
  Face<void()> showCumulativeEnd{"flowWindows().showCumulativeEnd"};  // beside the hidden menu
  // The printer of the text printouts (core/Printing.h): prints the lines,
  // asking which printer first when told; without it nothing is printed.
  Face<PrintOutcome(const QStringList& lines, bool askPrinter)> printText{"flowWindows().printText"};
  // The printer of the formatted hand records (core/DealAnalyses.h), with
  // the same dialog and printers as the text printouts.
  Face<PrintOutcome(const HandRecordSheet& sheet)> printHandRecords{"flowWindows().printHandRecords"};
  // The desk's progress bar of the double-dummy computation: done deals of
  // total; total 0 hides it.
  Face<void(int done, int total)> showAnalysisProgress{"flowWindows().showAnalysisProgress"};
  // The pair recap viewer beside the menu: shown empty, filled, closed.
  Face<void()> openPairRecap{"flowWindows().openPairRecap"};
  Face<void(const QStringList& lines)> fillPairRecap{"flowWindows().fillPairRecap"};
  Face<void()> closePairRecap{"flowWindows().closePairRecap"};
  // The BridgeMates' table status strip: redrawn after each change, placed
  // beside the menu, hidden.
  Face<void()> redrawTableStrip{"flowWindows().redrawTableStrip"};
  Face<void()> placeTableStrip{"flowWindows().placeTableStrip"};
  Face<void()> hideTableStrip{"flowWindows().hideTableStrip"};
};
FlowWindows& flowWindows();

// The members of the faces that nobody filled ("flowSteps().quitProgram"),
// "deviceEchoes()" while the devices' echo is not installed, and the
// listeners of the results' news not added (core/ResultNews.h). Empty in
// the program once its windows are made (checked at start in the debug
// build and by a test).
QStringList EmptyFaces();

// The screens shown and hidden; each does nothing until its window is there.
void ShowStartScreen();
void HideStartScreen();
void ShowTournamentMenu();
void HideTournamentMenu();
void RefreshMenu();
