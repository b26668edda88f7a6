#pragma once
// Where the window stands in the recording and how it moves: playback on the timer, start and
// end, the scroll bar, time compression and the two cursors. Plain arithmetic; the caller reads
// the window after every move and runs the timer as told.
#include <cstdint>

#include "controls/oscilloscope/core/osc_format.h"

namespace tessial {

enum class PlayState : int { stopped = 0, reverse = 1, forward = 2, fastReverse = 3, fastForward = 4 };
enum class TimerChange { none, start, stop };
enum class CompressResult { unchanged, changed, refused };

// Scroll-bar codes of the horizontal frame scroll bar.
enum ScrollCode { kLineLeft = 0, kLineRight = 1, kPageLeft = 2, kPageRight = 3, kThumbPosition = 4, kThumbTrack = 5 };

inline constexpr int kCursorADefault = 233;
inline constexpr int kCursorBDefault = 466;
inline constexpr int kPlayStep = 20;
inline constexpr int kFastPlayStep = 50;
inline constexpr int kPageStep = 50;

struct Playback {
  std::int64_t position = 0;     // first column of the window, 0..max(maxPosition, 0)
  std::int64_t maxPosition = 0;  // columns - 700; 0 or below for a recording shorter than a window
  int compression = kMinCompression;
  int cursorA = kCursorADefault;
  int cursorB = kCursorBDefault;
  PlayState state = PlayState::stopped;
  bool fast = false;
  bool forward = true;

  // The state after a load: stopped, compression 1, cursors in place, at the end of a recording
  // of `dataBytes` sample bytes and `channels` shown channels.
  void Load(std::int64_t dataBytes, int channels);
  bool CanPlay() const { return maxPosition > 0; }

  TimerChange PlayForward() { return Play(PlayState::forward, false, true); }
  TimerChange PlayReverse() { return Play(PlayState::reverse, false, false); }
  TimerChange FastForward() { return Play(PlayState::fastForward, true, true); }
  TimerChange FastReverse() { return Play(PlayState::fastReverse, true, false); }
  // Start and end stop playback; false when the recording is too short to move.
  bool ToStart();
  bool ToEnd();
  TimerChange Stop();
  // One timer tick: moves the window; true when playback reached an end and the timer stops.
  bool Tick();
  // Moves the window as the scroll bar asks; returns the new position.
  std::int64_t Scroll(int code, std::int64_t barPosition, std::int64_t trackPosition);
  // More or fewer steps per column, keeping the time under cursor A in place.
  CompressResult Compress(std::int64_t dataBytes, int channels);
  CompressResult Expand(std::int64_t dataBytes, int channels);
  // Cursor columns from the windows, clamped to the window.
  void SetCursorA(int column);
  void SetCursorB(int column);

private:
  TimerChange Play(PlayState target, bool fastStep, bool forwardDirection);
  void ChangeCompression(int next, std::int64_t dataBytes, int channels);
  std::int64_t Clamped(std::int64_t p) const;
};

}  // namespace tessial
