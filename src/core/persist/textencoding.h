#pragma once

#include <string>
#include <string_view>

namespace quorel {

// How the bytes of a data file are to be read as text: the program shows a file as UTF-8 when
// its bytes are valid UTF-8, else as Windows-1250 (old Polish data files). Values typed in the
// program are UTF-8 and are written back in the file's own encoding.
enum class TextEncoding { Utf8, Windows1250 };

// The encoding the program reads these bytes in (the same decision as displayText()).
[[nodiscard]] TextEncoding detectEncoding(std::string_view bytes);

// UTF-8 text as Windows-1250 bytes. Characters the code page lacks become "?"; bytes that are
// not valid UTF-8 are taken over unchanged (they already are the file's own bytes).
[[nodiscard]] std::string utf8ToWindows1250(std::string_view utf8);

// UTF-8 text in the given encoding. For UTF-8, bytes that are not valid UTF-8 are read as
// Windows-1250 and converted.
[[nodiscard]] std::string encodeText(std::string_view utf8, TextEncoding encoding);

} // namespace quorel
