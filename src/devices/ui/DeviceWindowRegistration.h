#pragma once
// Registers the devices' windows (the BridgeMates settings forms::BridgeMatesSettings, the
// first-use message forms::BridgeMatesFirstUse, the pause question forms::CollectionPause, the tablets'
// password forms::TabletPassword, the club number forms::ClubLicence, the information forms::CorrectionNote
// and the status strip forms::TableStatusStrip) with the window interaction. Called once by
// the program's entry, after the application object exists.
void RegisterDeviceWindows();
