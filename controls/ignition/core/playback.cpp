#include "controls/ignition/core/playback.h"

#include <algorithm>

namespace sparwen {
namespace {
constexpr int kLastCursor = 69;
constexpr int kWindowCursorSteps = 70;
}

void FramePlayback::Load(int highestPosition)
{
  frameCount = std::max(highestPosition, 0);
  if (frameCount == kLastCursor + 1) frameCount = kLastCursor;
  if (frameCount >= kLastCursor + 1) {
    windowStart = frameCount - kLastCursor;
    cursor = kLastCursor;
    windowLength = kLastCursor;
  } else {
    windowStart = 0;
    cursor = frameCount;
    windowLength = frameCount;
  }
  state = PlayState::stopped;
  forward = true;
}

PlayToggle FramePlayback::Toggle(PlayState target, bool forwardDirection, int periodMs)
{
  if (frameCount < kMinPlayableFrames) return {TimerChange::none, 0, true};
  if (state != target) {
    state = target;
    forward = forwardDirection;
    return {TimerChange::start, periodMs, false};
  }
  state = PlayState::stopped;
  return {TimerChange::stop, 0, false};
}

bool FramePlayback::Tick()
{
  const int step = forward ? 1 : -1;
  windowStart += step;
  bool stop = false;
  if (windowStart > frameCount - windowLength) {
    windowStart = std::max(frameCount - windowLength, 0);
    cursor += step;
    if (cursor > windowLength) {
      cursor = windowLength;
      stop = true;
    } else if (cursor < 0) {
      cursor = 0;
      stop = true;
    }
  } else if (windowStart < 1) {
    windowStart = 0;
    cursor += step;
    if (cursor < 1) {
      cursor = 0;
      stop = true;
    } else if (cursor > windowLength) {
      cursor = windowLength;
      stop = true;
    }
  }
  if (stop) state = PlayState::stopped;
  return stop;
}

void FramePlayback::ToStart()
{
  state = PlayState::stopped;
  windowStart = 0;
  cursor = 0;
}

void FramePlayback::ToEnd()
{
  state = PlayState::stopped;
  if (frameCount >= kLastCursor + 1) {
    windowStart = frameCount - kLastCursor;
    cursor = kLastCursor;
  } else {
    windowStart = 0;
    cursor = frameCount;
  }
  windowLength = cursor;
}

int FramePlayback::Scroll(int code, int barPosition, int trackPosition)
{
  int p = Position();
  switch (code) {
    case kLineUp:
    case kPageUp: p -= 1; break;
    case kLineDown:
    case kPageDown: p += 1; break;
    case kThumbPosition: p = barPosition; break;
    case kThumbTrack: p = trackPosition; break;
    default: break;
  }
  p = std::clamp(p, 0, frameCount);
  windowStart = p - cursor;
  if (windowStart > 0) {
    if (frameCount < kLastCursor + 2) {
      windowStart = 0;
      cursor = p;
    } else if (windowStart >= frameCount - kLastCursor) {
      windowStart = frameCount - kLastCursor;
      cursor = p + kLastCursor - frameCount;
    }
  } else {
    windowStart = 0;
    cursor = p;
  }
  return Position();
}

void FramePlayback::GraphPosition(int x, int graphWidth)
{
  if (graphWidth <= 0) return;
  const long long picked = static_cast<long long>(std::max(x, 0)) * kWindowCursorSteps / graphWidth;
  cursor = static_cast<int>(std::clamp<long long>(picked, 0, std::min(frameCount, windowLength)));
}

}  // namespace sparwen
