#include "core/Flows.h"

FlowSteps& flowSteps() {
  static FlowSteps steps;
  return steps;
}

FlowWindows& flowWindows() {
  static FlowWindows windows;
  return windows;
}

namespace {

void showIfThere(const std::function<void()>& window) {
  if (window) window();
}

}  // namespace

void ShowStartScreen() { showIfThere(flowWindows().showStartScreen); }
void HideStartScreen() { showIfThere(flowWindows().hideStartScreen); }
void ShowTournamentMenu() { showIfThere(flowWindows().showTournamentMenu); }
void HideTournamentMenu() { showIfThere(flowWindows().hideTournamentMenu); }
void RefreshMenu() { showIfThere(flowWindows().refreshMenu); }
