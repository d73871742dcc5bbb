#pragma once
// Writing the settings document as the bytes of a Shift_JIS file. The store serialises the tree
// itself rather than calling the document's save: not every implementation of the document object
// can write Shift_JIS (Wine's fails and leaves an empty file behind), and the text the document
// reports as its markup is indented differently from one implementation to the next.

#include <windows.h>
#include <msxml2.h>

#include <string>

namespace zentrel {

// The file's bytes: the declaration <?xml version="1.0" encoding="Shift_JIS"?>, then each
// top-level node followed by CR LF, with nothing added between elements. A character Shift_JIS
// cannot hold is written as a character reference in text and attribute values, so the value
// reads back the same. Where XML allows no reference (names, comments, processing instructions,
// CDATA sections), and for characters no XML file can carry, SettingsError is thrown: the caller
// writes nothing then rather than a file that would not load again.
std::string WriteShiftJisXml(IXMLDOMNode* document);

}  // namespace zentrel
