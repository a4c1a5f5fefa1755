#pragma once
// What the table devices must learn of a change made in the program besides
// the results: a player named, the devices' state cleared with the
// tournament's. A result stored, erased or adjusted (the tablets' lines
// included) reaches the devices as news about the results
// (core/ResultNews.h), which they listen to, once. The devices install their echo at
// start (InstallTableDeviceEchoes), as the windows install ui::Interaction;
// until then every echo does nothing. Each echo raises what the devices'
// writers raise (platform::IoError, database errors).
#include <QString>

class DeviceEchoes {
 public:
  virtual ~DeviceEchoes() = default;
  // A player named in the pair changes: grid "NS" or "EW", player 1 or 2 of
  // the row (the table).
  virtual void playerNamed(const QString& /*grid*/, int /*player*/, int /*row*/, const QString& /*name*/) {}
  // The tournament's state cleared: the devices forget what they polled.
  virtual void stateCleared() {}
  // At start: what rewrites cut short left in the devices' folders goes.
  virtual void removeLeftovers() {}
};

// The installed echo (one that does nothing until the devices install theirs).
DeviceEchoes& deviceEchoes();
// Installs echoes (nullptr puts back the one that does nothing); the caller
// keeps it alive.
void InstallDeviceEchoes(DeviceEchoes* echoes);
// Whether echoes other than the silent ones are installed.
bool DeviceEchoesInstalled();
