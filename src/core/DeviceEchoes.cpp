#include "core/DeviceEchoes.h"

namespace {

DeviceEchoes silent;
DeviceEchoes* installed = &silent;

}  // namespace

DeviceEchoes& deviceEchoes() { return *installed; }

void InstallDeviceEchoes(DeviceEchoes* echoes) { installed = echoes ? echoes : &silent; }
