#include "core/DeviceEchoes.h"

namespace {

DeviceEchoes silent;
DeviceEchoes* installed = &silent;

}  // namespace

DeviceEchoes& deviceEchoes() { return *installed; }

bool DeviceEchoesInstalled() { return installed != &silent; }

void InstallDeviceEchoes(DeviceEchoes* echoes) { installed = echoes ? echoes : &silent; }
