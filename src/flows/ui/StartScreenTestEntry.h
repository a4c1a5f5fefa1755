#pragma once
// The entry the tests of the executable start the program through
// (TALVARON_CLOSE_START_SCREEN set): the program runs as the director starts
// it, then ends through its orderly quit.
class QString;
class TForm1;

// Once the start screen is up, prints whether it is visible and its status
// line (where the program folder is), closes it as with its close box and
// answers the quit confirmation "&OK".
void CloseStartScreenOnceShown(TForm1& startScreen);
// From now on (TALVARON_ANSWER_MESSAGES set), every message window is printed
// ("message: " and its text) and closed with its OK, as a director would:
// the messages of the start itself included.
void AnswerMessagesFromTests();
// From now on (TALVARON_TEST_STEPS names a file), the steps of that file are
// taken one by one, in order, as a director at the keyboard would, each once
// it can be (the window it needs is up, its control shown and enabled); the
// file is followed as it grows, so that a test adds steps while the program
// runs. One step a line:
//   window <name>        the window of that name (the modal one, else a shown
//                        top-level window) becomes the one the steps act on
//   click <name>         clicks its button or box of that name
//   fill <name> <text>   sets the text of its line edit of that name
//   type <text>          types the text, key by key, into its focused control
//   key <key>            one key (Return, Escape, Down, Tab...) into it
//   print <name>         prints "<name>: <text>" of its label of that name
// Empty lines and lines starting with "#" are skipped. A step that has
// waited ten seconds says so once ("step waiting: "); a line that is no step
// ends the program with code 4.
void FollowStepsFromTests(const QString& file);
