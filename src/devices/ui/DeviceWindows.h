#pragma once
// Registers the devices' windows (the BridgeMates settings "TForm93", the
// first-use message "TForm97", the pause question "TForm66", the tablets'
// password "TForm94" and the club number "TForm72") with the window
// interaction. Called once by
// the program's entry, after the application object exists.
void RegisterDeviceWindows();
