#pragma once
// Where the shown position stands: a window of 70 positions over the recording, the cursor inside
// it, and how playback, the start and end buttons, the frame scroll bar and graph clicks move them.
// Plain arithmetic; the caller re-reads the position after every move and runs the timer as told.
#include <cstdint>

namespace sparwen {

enum class PlayState : int { stopped = 0, forward = 2, fastReverse = 3, fastForward = 4, reverse = 5 };
enum class TimerChange { none, start, stop };

inline constexpr int kPlayTimerId = 20;
inline constexpr int kPlayPeriodMs = 50;
inline constexpr int kFastPlayPeriodMs = 30;
inline constexpr int kMinPlayableFrames = 3;

// Scroll-bar codes as the window system sends them.
enum ScrollCode { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5 };

struct PlayToggle {
  TimerChange timer = TimerChange::none;
  int periodMs = 0;       // for a start
  bool tooSmall = false;  // refused: fewer than 3 positions
};

struct FramePlayback {
  int frameCount = 0;    // highest position
  int windowStart = 0;   // position of the window's first frame
  int cursor = 0;        // 0..69 inside the window
  int windowLength = 0;  // last cursor value of the window
  PlayState state = PlayState::stopped;
  bool forward = true;

  int Position() const { return windowStart + cursor; }
  // The window after a load: a count of exactly 70 is lowered to 69; the last position is shown.
  void Load(int highestPosition);

  PlayToggle PlayForward() { return Toggle(PlayState::forward, true, kPlayPeriodMs); }
  PlayToggle PlayReverse() { return Toggle(PlayState::reverse, false, kPlayPeriodMs); }
  PlayToggle FastForward() { return Toggle(PlayState::fastForward, true, kFastPlayPeriodMs); }
  PlayToggle FastReverse() { return Toggle(PlayState::fastReverse, false, kFastPlayPeriodMs); }
  // Stops; the caller kills the timer.
  void Stop() { state = PlayState::stopped; }
  // One timer tick; true when playback reached an end (the position is shown once more and the
  // timer stops).
  bool Tick();
  void ToStart();
  void ToEnd();
  // The frame scroll bar: returns the bar's new position (the shown position).
  int Scroll(int code, int barPosition, int trackPosition);
  // A graph click at x in a window `graphWidth` wide picks the cursor; the window stays.
  void GraphPosition(int x, int graphWidth);

private:
  PlayToggle Toggle(PlayState target, bool forwardDirection, int periodMs);
};

}  // namespace sparwen
