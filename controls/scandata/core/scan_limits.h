#pragma once
// The sizes the scan-data viewer is built for: what one recording may hold and what one screen shows.

namespace quarnel {

inline constexpr int kMaxItems = 100;        // recorded items, ids 0 to 99
inline constexpr int kMaxSamples = 5010;     // samples per item
inline constexpr int kMaxTriggers = 10;      // trigger marks
inline constexpr int kMaxShown = 8;          // graphs on the screen
inline constexpr int kWindowSamples = 157;   // samples in the graph window
inline constexpr int kPointSpacing = 5;      // pixels between two samples of a graph
inline constexpr int kInverseLowerBound = 255;  // a lower graph bound that marks an inverse item
inline constexpr int kReciprocalType = 7;    // conversion type whose value falls as the raw value rises

}  // namespace quarnel
