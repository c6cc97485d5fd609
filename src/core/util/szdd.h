#pragma once

#include "core/util/result.h"

#include <string>
#include <string_view>

namespace quorel {

// The SZDD "compress" format: a 14-byte header ("SZDD" 88 F0 27 33, mode 'A', the file name's
// missing last character, the expanded size as 32-bit little endian) followed by LZSS data over
// a 4096-byte window that starts filled with spaces. The program's help page ships in it.

// The expanded bytes. Bad signature or mode, and data that ends before the header's size is
// reached, are failures; the result is never longer than the header's size.
[[nodiscard]] Result<std::string> szddExpand(std::string_view compressed);

// The SZDD file for `data` (greedy LZSS). `missingChar` goes into the header; 0 means unknown.
[[nodiscard]] std::string szddCompress(std::string_view data, char missingChar = '\0');

// True when the bytes start with the SZDD signature.
[[nodiscard]] bool isSzdd(std::string_view bytes);

// Expands `source` into `destination` (created or replaced). A source without the SZDD
// signature is copied unchanged, as the system's expansion service does. With `deleteSource`
// the source is removed after a successful expansion; after a failure it is kept. False when
// reading, expanding or writing fails; the destination is then left as it was.
[[nodiscard]] bool expandCompressedFile(const std::string &source, const std::string &destination,
                                        bool deleteSource);

} // namespace quorel
