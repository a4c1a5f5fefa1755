#pragma once
// Registers the devices' windows (the BridgeMates settings "TForm93", the
// first-use message "TForm97", the pause question "TForm66", the tablets'
// password "TForm94", the club number "TForm72", the information "TForm109"
// and the status strip "TForm112") with the window interaction. Called once by
// the program's entry, after the application object exists.
void RegisterDeviceWindows();
