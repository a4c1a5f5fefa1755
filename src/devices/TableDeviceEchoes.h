#pragma once
// The table devices' echo of what changes in the program: results to the
// BridgeMates' database and the tablets' files, player names to the
// database, the polling state cleared with the tournament's.

// Installs the devices' echo as the program's and adds it to the listeners
// of the results' news (see core/DeviceEchoes.h, core/ResultNews.h).
void InstallTableDeviceEchoes();
