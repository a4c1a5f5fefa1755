#pragma once
// The orderly end of the program: a confirmation, the save of the whole
// tournament, a backup into a folder named after the day, the purge of old
// backups and old tournaments, and the stop of the device servers.
#include <QString>


// The quit of every main window (quit button, Esc, close box). Returns only
// when the director declines, or when the save fails (the error is passed on
// and the program stays open).
void QuitProgram();

// With devices: stops the device servers and the control program still
// running, in order, waiting 1 s after each stop. Without devices nothing is
// looked for.
void StopDeviceServers();
// Makes StopDeviceServers the companion stopper of StopCompanionsAndHalt.
void InstallCompanionStopper();
