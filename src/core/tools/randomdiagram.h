#pragma once

#include "core/util/result.h"

#include <cstdint>
#include <string>

namespace quorel {

class DataReader;
class ReadProgress;
struct DiagramStyle;

// A random graph up to the drawing: `count` random azimuths (none for 0 or less) go into
// the temporary data file in `tempFolder`, which the reader then reads in random-graph mode (no
// write-back, no recent entry, "RANDOM GRAPH" titles) and which is deleted again afterwards,
// also when the read fails. The caller draws from the reader's new data and then forgets the
// current file name. A count past maxRandomGraphCount fails before anything is touched.
[[nodiscard]] Status generateRandomDiagram(DataReader &reader, DiagramStyle &style, int count,
                                           const std::string &tempFolder, std::uint64_t seed,
                                           ReadProgress *progress = nullptr);

} // namespace quorel
