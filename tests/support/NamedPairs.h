#pragma once
// A field of named pairs for the tests that lay out movements.

namespace testing_support {

// n pairs in the slots: N/S 1..ceil(n/2), E/W the rest, named "Nom<s> -
// Autre<s>"; the counts as the pair checks leave them.
void MakeNamedPairs(int pairs);

}  // namespace testing_support
