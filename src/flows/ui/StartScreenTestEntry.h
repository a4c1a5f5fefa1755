#pragma once
// The entry the tests of the executable start the program through
// (TALVARON_CLOSE_START_SCREEN set): the program runs as the director starts
// it, then ends through its orderly quit.
class TForm1;

// Once the start screen is up, prints whether it is visible and its status
// line (where the program folder is), closes it as with its close box and
// answers the quit confirmation "&OK".
void CloseStartScreenOnceShown(TForm1& startScreen);
