#pragma once
// Graph levels of state items: the pixel row at which a state value of a state-text table is
// drawn inside a strip of `height` pixels. ItemGraphY of ScanTextContext places every sample.

namespace quarnel {

// The level of state `field` of `table`; with polarity 2 it is counted from the other edge
// (height - level). `byteScale` is the height of one step of a 0 to 255 range.
int StateLevel(int table, int polarity, int field, double byteScale, int height);

}  // namespace quarnel
