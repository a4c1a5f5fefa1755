#pragma once
// Registers the devices' windows (the BridgeMates settings "TForm93", the
// first-use message "TForm97", the club number "TForm72" and the folder
// selection "TFolderDialog") with the window interaction. Called once by
// the program's entry, after the application object exists.
void RegisterDeviceWindows();
