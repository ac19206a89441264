// The capture reads, and the recording counts, in blocks of a tenth of a second: a block
// is the rate / kBlocksPerSecond frames, 100 ms. The clock, the automatic stop and the
// recorded files' lengths are counted in blocks.
#pragma once

constexpr int kBlocksPerSecond = 10;
