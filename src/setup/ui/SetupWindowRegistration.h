#pragma once
// Registers the set-up's windows ("Nombre de paires", "Message" of the pair
// grids, "Choix de la paire BYE", the information windows of the pair-names
// entry, the movement choice and its questions) with the window interaction.
// Called once by the program's entry, after the application object exists.
void RegisterSetupWindows();
