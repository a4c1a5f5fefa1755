#pragma once
// The table devices' echo of what changes in the program: results to the
// BridgeMates' database and the tablets' files, player names to the
// database, the polling state cleared with the tournament's.

// Installs the devices' echo as the program's (see core/DeviceEchoes.h).
void InstallTableDeviceEchoes();
