#pragma once
// Turning a settings file's bytes into markup for the document's parser. The store decodes the
// file itself instead of handing the path to the document's own loader, because not every
// implementation of the document object reads Shift_JIS (Wine's does not), and the file is
// Shift_JIS by its declaration.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zentrel {

// The code page for an encoding name of an XML declaration (case-insensitive), or 0 when it is
// not one the store reads.
UINT CodePageForXmlEncoding(std::string_view name);

// The markup in the bytes of an XML file: decoded by its byte-order mark, else by the encoding its
// declaration names (UTF-8 when none is named), and with the declaration removed, since the text
// is no longer in the encoding it names. Nothing when the encoding is not one the store reads or
// the bytes are not valid in it; the caller treats that like a file that is not well-formed.
std::optional<std::wstring> DecodeXmlFile(std::string_view bytes);

}  // namespace zentrel
