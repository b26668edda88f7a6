#include "controls/oscilloscope/core/playback.h"

#include <algorithm>

#include "controls/oscilloscope/core/recording.h"

namespace tessial {

std::int64_t Playback::Clamped(std::int64_t p) const { return std::clamp<std::int64_t>(p, 0, std::max<std::int64_t>(maxPosition, 0)); }

void Playback::Load(std::int64_t dataBytes, int channels)
{
  state = PlayState::stopped;
  fast = false;
  forward = true;
  compression = kMinCompression;
  cursorA = kCursorADefault;
  cursorB = kCursorBDefault;
  maxPosition = MaxPosition(dataBytes, channels, compression);
  position = Clamped(maxPosition);
}

TimerChange Playback::Play(PlayState target, bool fastStep, bool forwardDirection)
{
  if (!CanPlay()) return TimerChange::none;
  fast = fastStep;
  if (state == target) {
    state = PlayState::stopped;
    return TimerChange::stop;
  }
  state = target;
  forward = forwardDirection;
  return TimerChange::start;
}

bool Playback::ToStart()
{
  if (!CanPlay()) return false;
  state = PlayState::stopped;
  position = 0;
  return true;
}

bool Playback::ToEnd()
{
  if (!CanPlay()) return false;
  state = PlayState::stopped;
  position = maxPosition;
  return true;
}

TimerChange Playback::Stop()
{
  state = PlayState::stopped;
  return TimerChange::stop;
}

bool Playback::Tick()
{
  const int step = fast ? kFastPlayStep : kPlayStep;
  position += forward ? step : -step;
  if (position <= 0) {
    position = 0;
    state = PlayState::stopped;
    return true;
  }
  if (position >= maxPosition - 1) {
    position = std::max<std::int64_t>(maxPosition, 0);
    state = PlayState::stopped;
    return true;
  }
  return false;
}

std::int64_t Playback::Scroll(int code, std::int64_t barPosition, std::int64_t trackPosition)
{
  std::int64_t p = barPosition;
  switch (code) {
    case kLineLeft: p -= 1; break;
    case kLineRight: p += 1; break;
    case kPageLeft: p -= kPageStep; break;
    case kPageRight: p += kPageStep; break;
    case kThumbPosition: break;
    case kThumbTrack: p = trackPosition; break;
    default: break;
  }
  position = Clamped(p);
  return position;
}

void Playback::ChangeCompression(int next, std::int64_t dataBytes, int channels)
{
  maxPosition = MaxPosition(dataBytes, channels, next);
  // (p + a) is never negative, so integer division truncates toward zero as wanted.
  position = Clamped((position + cursorA) * compression / next - cursorA);
  compression = next;
}

CompressResult Playback::Compress(std::int64_t dataBytes, int channels)
{
  if (compression >= kMaxCompression) return CompressResult::unchanged;
  const int next = compression + 1;
  if (dataBytes < static_cast<std::int64_t>(channels) * next * 2800) return CompressResult::refused;
  ChangeCompression(next, dataBytes, channels);
  return CompressResult::changed;
}

CompressResult Playback::Expand(std::int64_t dataBytes, int channels)
{
  if (compression <= kMinCompression) return CompressResult::unchanged;
  ChangeCompression(compression - 1, dataBytes, channels);
  return CompressResult::changed;
}

void Playback::SetCursorA(int column) { cursorA = std::clamp(column, 0, kWindowColumns - 1); }
void Playback::SetCursorB(int column) { cursorB = std::clamp(column, 0, kWindowColumns - 1); }

}  // namespace tessial
