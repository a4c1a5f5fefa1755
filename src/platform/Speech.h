#pragma once
// The sentence the program says aloud (the call for the referee). The
// system's speaker is espeak-ng or spd-say when one of them is installed,
// started without waiting; without them nothing is said. Tests install their
// own speaker.
#include <QString>

#include <functional>

namespace platform {

// Says the sentence with the installed speaker; never waits, never fails.
void speak(const QString& sentence);
// Installs a speaker; nullptr puts the system's back.
void setSpeaker(std::function<void(const QString&)> speaker);

}  // namespace platform
