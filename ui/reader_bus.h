// A screen reader's questions over the accessibility bus, answered while the game is busy.
#pragma once

namespace vimbrel::reader_bus {

// While a card moves or the panel repaints, the event loop does not run, and neither do the
// answers to a screen reader's questions. Qt's D-Bus thread waits for each answer before it sends
// anything more, the game's own news included, so the reader hears nothing until the game is
// idle again ("Time over." half a second late, behind the closing card and the computer's move).

// Learns, from the events the event loop delivers, which objects answer the reader's calls.
void watch();
// Answers the calls queued for those objects so far, and delivers nothing else: no input, no
// timer, no other queued call.
void answer();
// Answers the reader's calls, and nothing else, for `ms` milliseconds; at once when no reader
// listens.
void answer_for(int ms);
// Whether answer() is running: a reader's call that would start a game command (a menu item's
// action) must not, in the middle of a turn.
bool answering();

}  // namespace vimbrel::reader_bus
