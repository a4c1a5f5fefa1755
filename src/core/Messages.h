#pragma once
// The message routines every window and routine calls; they show the
// "Message" window through the installed interaction.
#include <QString>

// Shows the text in the message window and returns when it is closed.
void ShowMessageWindow(const QString& text);
// One beep, then the message window: the common message call.
void ShowAlert(const QString& text);
// count beeps 100 ms apart, one more beep, then the message window
// (count 0 gives one beep).
void ShowAlertWithBeeps(int count, const QString& text);
// Sleeps the given number of milliseconds.
void PauseMs(int milliseconds);
// The message window with the program's one-line about text (version, year).
void ShowAboutMessage();
