#include "zentrel/settings/xml_writer.h"

#include <cstdio>
#include <string_view>

#include "zentrel/settings/code_page_text.h"
#include "zentrel/settings/com_values.h"
#include "zentrel/settings/settings_error.h"
#include "zentrel/settings/xml_chars.h"
#include "zentrel/settings/xml_document.h"

namespace zentrel {

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
constexpr char kLineEnd[] = "\r\n";

// Accumulates Shift_JIS bytes from two kinds of text: markup, which must be representable as it
// is, and character data, which is escaped and may fall back to character references.
class ShiftJisOutput {
 public:
  void Ascii(std::string_view text) { bytes_ += text; }

  void Markup(std::wstring_view text) {
    RequireXmlText(text);
    std::optional<std::string> encoded = EncodeExactly(kShiftJisCodePage, text);
    if (!encoded) {
      throw SettingsError("a name or comment in the settings cannot be written in Shift_JIS",
                          HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION));
    }
    bytes_ += *encoded;
  }

  void CharacterData(std::wstring_view text, bool inAttribute) {
    RequireXmlText(text);
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char* escape = Escape(text[at], inAttribute);
      if (escape == nullptr) continue;
      Run(text.substr(runStart, at - runStart));
      bytes_ += escape;
      runStart = at + 1;
    }
    Run(text.substr(runStart));
  }

  std::string Take() { return std::move(bytes_); }

 private:
  static void RequireXmlText(std::wstring_view text) {
    if (!IsXmlText(text)) {
      throw SettingsError("the settings hold a character no XML file can carry", E_INVALIDARG);
    }
  }

  // Carriage returns and, in attributes, tabs and line feeds are written as references because
  // a parser would otherwise normalise them away and the value would not read back the same.
  static const char* Escape(wchar_t c, bool inAttribute) {
    switch (c) {
      case L'&': return "&amp;";
      case L'<': return "&lt;";
      case L'>': return "&gt;";
      case L'\r': return "&#13;";
      case L'"': return inAttribute ? "&quot;" : nullptr;
      case L'\t': return inAttribute ? "&#9;" : nullptr;
      case L'\n': return inAttribute ? "&#10;" : nullptr;
      default: return nullptr;
    }
  }

  // Plain characters: in one piece when all of them exist in Shift_JIS, else one code point at a
  // time with a reference for each one that does not.
  void Run(std::wstring_view text) {
    if (std::optional<std::string> encoded = EncodeExactly(kShiftJisCodePage, text)) {
      bytes_ += *encoded;
      return;
    }
    for (std::size_t at = 0; at < text.size();) {
      const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF;
      const std::size_t units = pair ? 2 : 1;
      if (std::optional<std::string> encoded = EncodeExactly(kShiftJisCodePage, text.substr(at, units))) {
        bytes_ += *encoded;
      } else {
        const unsigned long codePoint =
            pair ? 0x10000ul + ((text[at] - 0xD800ul) << 10) + (text[at + 1] - 0xDC00ul) : text[at];
        char reference[16];
        std::snprintf(reference, sizeof reference, "&#x%lX;", codePoint);
        bytes_ += reference;
      }
      at += units;
    }
  }

  std::string bytes_;
};

DOMNodeType TypeOf(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  ThrowIfFailed(node->get_nodeType(&type), "an XML node cannot be read");
  return type;
}

void WriteNode(IXMLDOMNode* node, ShiftJisOutput& out);

void WriteElement(IXMLDOMNode* element, ShiftJisOutput& out) {
  const std::wstring name = NodeName(element);
  out.Ascii("<");
  out.Markup(name);
  for (const ComPtr<IXMLDOMNode>& attribute : Attributes(element)) {
    out.Ascii(" ");
    out.Markup(NodeName(attribute.Get()));
    out.Ascii("=\"");
    out.CharacterData(NodeValue(attribute.Get()), true);
    out.Ascii("\"");
  }
  const std::vector<ComPtr<IXMLDOMNode>> children = ChildNodes(element);
  if (children.empty()) {
    out.Ascii("/>");
    return;
  }
  out.Ascii(">");
  for (const ComPtr<IXMLDOMNode>& child : children) WriteNode(child.Get(), out);
  out.Ascii("</");
  out.Markup(name);
  out.Ascii(">");
}

void WriteCData(std::wstring_view text, ShiftJisOutput& out) {
  // "]]>" cannot appear inside a section; it is split across two.
  std::wstring escaped(text);
  for (std::size_t at = escaped.find(L"]]>"); at != std::wstring::npos; at = escaped.find(L"]]>", at + 15)) {
    escaped.replace(at, 3, L"]]]]><![CDATA[>");
  }
  out.Markup(L"<![CDATA[" + escaped + L"]]>");
}

void WriteNode(IXMLDOMNode* node, ShiftJisOutput& out) {
  switch (TypeOf(node)) {
    case NODE_ELEMENT:
      WriteElement(node, out);
      break;
    case NODE_TEXT:
      out.CharacterData(NodeValue(node), false);
      break;
    case NODE_CDATA_SECTION:
      WriteCData(NodeValue(node), out);
      break;
    case NODE_COMMENT:
      out.Markup(L"<!--" + NodeValue(node) + L"-->");
      break;
    case NODE_PROCESSING_INSTRUCTION:
      out.Markup(L"<?" + NodeName(node) + L" " + NodeValue(node) + L"?>");
      break;
    case NODE_ENTITY_REFERENCE:
      out.Markup(L"&" + NodeName(node) + L";");
      break;
    default: {
      // Document types and the like: the document's own markup for them.
      Bstr markup;
      ThrowIfFailed(node->get_xml(markup.Out()), "an XML node cannot be written");
      out.Markup(markup.Text());
      break;
    }
  }
}

bool IsDeclaration(IXMLDOMNode* node) {
  return TypeOf(node) == NODE_PROCESSING_INSTRUCTION && NodeName(node) == L"xml";
}

}  // namespace

std::string WriteShiftJisXml(IXMLDOMNode* document) {
  ShiftJisOutput out;
  out.Ascii(kDeclaration);
  out.Ascii(kLineEnd);
  for (const ComPtr<IXMLDOMNode>& node : ChildNodes(document)) {
    // The declaration is the one written above, whatever the document holds.
    if (IsDeclaration(node.Get())) continue;
    WriteNode(node.Get(), out);
    out.Ascii(kLineEnd);
  }
  return out.Take();
}

}  // namespace zentrel
