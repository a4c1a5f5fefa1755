#pragma once
// Registers the set-up's windows (the movement choice and its questions)
// with the window interaction. Called once by the program's entry, after the
// application object exists.
void RegisterSetupWindows();
