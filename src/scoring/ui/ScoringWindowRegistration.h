#pragma once
// Registers the scoring's windows ("Résultat", "Vérification des marques",
// "Question" of the adjustments, the results window and its dialogs, the
// adjustments' menu and dialogs, the opening lead) with the window
// interaction. Called once by the program's entry, after the application
// object exists.
void RegisterScoringWindows();
