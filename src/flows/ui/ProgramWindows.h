#pragma once
// Every floor's windows registered with the window interaction, as the
// program does before its first window opens (whole-evening tests do the
// same).
void RegisterProgramWindows();
