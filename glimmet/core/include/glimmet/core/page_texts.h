#pragma once
// The texts Glimmet makes of a web page: the element table (the pointed element and its ancestors,
// outermost first, across frame borders), the tag line beside the class name, and which window of
// the HTML engine holds the document.

#include <string>
#include <string_view>
#include <vector>

namespace glimmet {

// One row of the element table, as read from the document.
struct ElementFacts {
  std::wstring tag;       // shown upper-cased
  std::wstring type;      // the "type" attribute
  std::wstring idOrName;  // the id, else the name
  std::wstring text;      // innerText
};

// The element's text for its row: line breaks (CR LF) removed; a text more than two characters
// longer than `limit` is cut to `limit` characters and "..." (a negative limit counts as 0).
std::wstring ElementRowText(std::wstring_view innerText, int limit);

// The heading, the rule and one row per element; `outermostFirst` is already in table order.
std::wstring FormatElementTable(const std::vector<ElementFacts>& outermostFirst, int textLimit);

// The tag name upper-cased (ASCII letters: tag names are ASCII).
std::wstring UpperTag(std::wstring_view tag);
bool IsFrameTag(std::wstring_view tag);  // FRAME or IFRAME, any case

// txtWin(1): the tag, an ideographic space, the id or name.
std::wstring PageTagLine(std::wstring_view tag, std::wstring_view idOrName);

// Which window's document a pointed window of the engine shows: its own (the page itself), its
// parent's (the engine's drop lists sit above the page), or none.
enum class DocumentWindowRule { None, Self, Parent };
DocumentWindowRule DocumentWindowOf(std::wstring_view className);

}  // namespace glimmet
