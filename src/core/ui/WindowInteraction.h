#pragma once
// The interaction of the program: the questions of the routines shown in the
// program's windows. A window that asks a particular question registers
// itself under its form name; questions without a registered window use the
// generic ones. Messages show forms::Message.
#include "core/Interaction.h"

#include <QStringList>

#include <functional>

namespace ui {

using ChoiceWindow = std::function<int(const Choice&)>;
using ListWindow = std::function<int(const ListChoice&)>;
using TextWindow = std::function<std::optional<QString>(const TextQuestion&)>;

void RegisterChoiceWindow(const QString& form, ChoiceWindow window);
void RegisterListWindow(const QString& form, ListWindow window);
void RegisterTextWindow(const QString& form, TextWindow window);
// Whether a window answers the form's questions (a choice, list or text
// window, or a notice in flowWindows().notices).
bool HasRegisteredWindow(const QString& form);

// What the program's installs left out: the empty members of the faces
// (EmptyFaces) and every form the routines ask for (forms::askedByRoutines)
// that no window answers. Empty once every window is created and registered.
QStringList MissingInstalls();

// Installs the window interaction for the rest of the run, with the
// windows of the core (message, yes/no, lists, text and number questions,
// warnings, notices) and the printer of the text printouts.
void InstallWindowInteraction();

}  // namespace ui
