#pragma once
// How the position walks through a scan recording: the play modes on the 10 ms timer, start and
// end, the scroll bar, the trigger button and the two cursors. Plain arithmetic; the model shows
// the new position after every move and runs the timer as told.

#include <span>

#include "controls/scandata/core/scan_limits.h"

namespace quarnel {

enum class View { text, graph };
enum class PlayState : int { stopped = 0, play = 1, reverse = 2, fastForward = 3, fastReverse = 4 };
enum class TimerChange { none, start, stop };
// Codes of the horizontal scroll bar's notifications.
enum ScrollCode { kLineLeft = 0, kLineRight = 1, kPageLeft = 2, kPageRight = 3, kThumbPosition = 4, kThumbTrack = 5 };

inline constexpr int kPlayTimerId = 3;
inline constexpr int kPlayTimerMs = 10;
inline constexpr int kFastStep = 4;

struct ScanPlayback {
  PlayState state = PlayState::stopped;
  int step = 1;
  int position = 0;
  int scrollPosition = 0;
  int scrollMax = 0;
  bool scrollEnabled = false;

  // The play, reverse, fast forward and fast reverse buttons: the running mode stops, another
  // mode takes over (the timer keeps running when switching).
  TimerChange Toggle(PlayState mode);
  TimerChange Stop();
  // One timer tick; true when an end was reached and playback stopped.
  bool Tick(View view, int sampleCount);
  void ToStart();
  void ToEnd(View view, int sampleCount);
  // The scroll bar; false for a code that moves nothing.
  bool Scroll(View view, int code, int thumbPosition, int sampleCount);
  // The scroll range of a view.
  static int ScrollMaxOf(View view, int sampleCount);
};

struct ScanCursors {
  int x1 = 0;  // cursor 1, a multiple of 5 from the graph's left edge
  bool visible1 = false;
  int x2 = 0;
  bool active2 = false;
  bool endOfDataRule = false;  // a cursor placed beyond the data sits on the last sample
};

// A click inside the curve part of the graph view (control pixels).
bool IsGraphClick(int x, int y);
// The cursor abscissa for a click at x.
int CursorXForClick(int x, int sampleCount, bool endOfDataRule);

struct TriggerJump {
  int next = 0;         // the mark the trigger button jumps to next
  int lastJumped = -1;  // the mark last jumped to, -1 none yet
  // Jumps to the next mark; false when the recording has none.
  bool Jump(std::span<const int> triggers, View view, int sampleCount, ScanPlayback& playback);
};

}  // namespace quarnel
