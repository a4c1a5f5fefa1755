#pragma once
// Windows shown without waiting (the search for a program, the critical
// message of a referee call): a routine shows one with a text and hides it
// again; it stays on screen while the routine goes on. The program's windows
// put themselves in flowWindows().notices by form name; without one there
// nothing is shown.
#include <QString>

namespace ui {

// Shows (or refreshes) the window of the form with the text, at the front.
void ShowNotice(const QString& form, const QString& text);
// Hides the window of the form; nothing when it is not shown.
void HideNotice(const QString& form);

}  // namespace ui

// Three beeps, the time and the text in the critical-message window
// (forms::CriticalMessage), and the referee called aloud; never waits.
void CallReferee(const QString& text);
