#include "core/tools/randomdiagram.h"

#include "core/data/datareader.h"
#include "core/tools/randomdata.h"
#include "core/util/system.h"

namespace quorel {

Status generateRandomDiagram(DataReader &reader, DiagramStyle &style, int count,
                             const std::string &tempFolder, std::uint64_t seed,
                             ReadProgress *progress)
{
    if (Status allowed = checkRandomGraphCount(count); !allowed)
        return allowed;
    const std::string path = randomGraphPath(tempFolder);
    if (Status written = writeRandomDataFile(path, count, reader.decimalSeparator(), seed);
        !written) {
        (void)deleteFile(path);
        return written;
    }
    Status read = reader.load(path, style, progress, true);
    // The temporary file never outlives the generation.
    (void)deleteFile(path);
    return read;
}

} // namespace quorel
