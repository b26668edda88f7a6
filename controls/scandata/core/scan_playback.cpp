#include "controls/scandata/core/scan_playback.h"

#include <algorithm>

namespace quarnel {
namespace {

int LastWindowStart(int count) { return std::max(count - kWindowSamples, 0); }
int LastSample(int count) { return std::max(count - 1, 0); }
int StepOf(PlayState mode) { return mode == PlayState::fastForward || mode == PlayState::fastReverse ? kFastStep : 1; }
bool Forward(PlayState s) { return s == PlayState::play || s == PlayState::fastForward; }

}  // namespace

TimerChange ScanPlayback::Toggle(PlayState mode) {
  if (mode == PlayState::stopped) return Stop();
  if (state == mode) return Stop();
  step = StepOf(mode);
  const bool wasStopped = state == PlayState::stopped;
  state = mode;
  return wasStopped ? TimerChange::start : TimerChange::none;
}

TimerChange ScanPlayback::Stop() {
  const bool wasRunning = state != PlayState::stopped;
  state = PlayState::stopped;
  return wasRunning ? TimerChange::stop : TimerChange::none;
}

bool ScanPlayback::Tick(View view, int count) {
  if (state == PlayState::stopped) return false;
  bool stopped = false;
  if (Forward(state)) {
    if (view == View::graph) {
      if (position + step + kWindowSamples < count) {
        position += step;
      } else {
        position = LastWindowStart(count);
        stopped = true;
      }
      scrollPosition = position;
    } else if (position + step < count) {
      position += step;
      scrollPosition = position;
    } else {
      position = LastSample(count);
      stopped = true;
      scrollPosition = position + 1;
    }
  } else {
    if (step < position) {
      position -= step;
    } else {
      position = 0;
      stopped = true;
    }
    scrollPosition = position;
  }
  if (stopped) Stop();
  return stopped;
}

void ScanPlayback::ToStart() {
  Stop();
  position = 0;
  scrollPosition = 0;
}

void ScanPlayback::ToEnd(View view, int count) {
  Stop();
  if (view == View::graph) {
    position = LastWindowStart(count);
    scrollPosition = position;
  } else {
    position = LastSample(count);
    scrollPosition = position + 1;
  }
}

int ScanPlayback::ScrollMaxOf(View view, int count) {
  if (view == View::text) return std::max(count, 0);
  return count < kWindowSamples + 1 ? std::max(count, 0) : count - kWindowSamples;
}

bool ScanPlayback::Scroll(View view, int code, int thumb, int count) {
  step = 1;
  const int q = scrollPosition;
  const bool graph = view == View::graph;
  int next = q;
  switch (code) {
    case kLineLeft:
      next = std::max(q - 1, 0);
      break;
    case kLineRight:
      if (graph) next = q + 1 >= count - kWindowSamples ? LastWindowStart(count) : q + 1;
      else next = q + 1 < count ? q + 1 : count;
      break;
    case kPageLeft:
      next = q < kWindowSamples + 1 ? 0 : q - kWindowSamples;
      break;
    case kPageRight:
      if (graph) next = q + kWindowSamples < count - kWindowSamples ? q + kWindowSamples : LastWindowStart(count);
      else next = q + kWindowSamples < count ? q + kWindowSamples : std::max(count, 0);
      break;
    case kThumbPosition:
    case kThumbTrack:
      next = std::clamp(thumb, 0, std::max(scrollMax, 0));
      break;
    default:
      return false;
  }
  scrollPosition = next;
  if (graph) position = count < kWindowSamples ? 0 : next;
  else position = next - 1;
  position = std::max(position, 0);
  return true;
}

bool IsGraphClick(int x, int y) { return x > 3 && x < 781 && y > 113 && y < 678; }

int CursorXForClick(int x, int count, bool endOfDataRule) {
  int cx = x / kPointSpacing * kPointSpacing;
  if (cx / kPointSpacing >= count) cx = kPointSpacing * (endOfDataRule ? LastSample(count) : std::max(count, 0));
  return cx;
}

bool TriggerJump::Jump(std::span<const int> triggers, View view, int count, ScanPlayback& playback) {
  if (triggers.empty()) return false;
  if (next < 0 || next >= static_cast<int>(triggers.size())) next = 0;
  const int t = triggers[static_cast<std::size_t>(next)];
  int p;
  if (view == View::graph) {
    p = t < 79 ? 0 : t - 78;
    if (count < t + 78) p = count - kWindowSamples;
  } else {
    p = std::min(t, LastSample(count));  // a mark past the data shows the last sample
  }
  playback.position = std::max(p, 0);
  playback.scrollPosition = playback.position;
  lastJumped = next;
  next = (next + 1) % static_cast<int>(triggers.size());
  return true;
}

}  // namespace quarnel
