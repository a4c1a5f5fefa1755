#pragma once
// Registers the devices' windows (the BridgeMates settings "TForm93" and the
// first-use message "TForm97") with the window interaction. Called once by
// the program's entry, after the application object exists.
void RegisterDeviceWindows();
