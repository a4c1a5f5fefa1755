#pragma once
// Windows shown without waiting (the search for a program, the critical
// message of a referee call): a routine shows one with a text and hides it
// again; it stays on screen while the routine goes on. The program's windows
// register themselves by form name; without a registered window nothing is
// shown.
#include <QString>

#include <functional>

namespace ui {

// Shows (or refreshes) the window of the form with the text, at the front.
void ShowNotice(const QString& form, const QString& text);
// Hides the window of the form; nothing when it is not shown.
void HideNotice(const QString& form);

// The window behind a form: show(text) and hide().
void RegisterNoticeWindow(const QString& form, std::function<void(const QString&)> show, std::function<void()> hide);

}  // namespace ui
