#pragma once
// The MSXML document object and the few DOM calls the settings store makes on it, wrapped so that
// every pointer and string is owned and every failure is either an exception (changes) or an
// empty answer (reads).

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <string>
#include <string_view>
#include <vector>

namespace zentrel {

using Microsoft::WRL::ComPtr;

// Creates the document object registered under progId and prepares it for the settings file:
// synchronous loading, XPath selection (the default language is not XPath) and white space between
// elements dropped, so a hand-indented file loads the same. Throws SettingsError when the class is
// unknown, cannot be created or offers no IXMLDOMDocument2.
ComPtr<IXMLDOMDocument2> CreateXmlDocument(std::wstring_view progId);

// Replaces the document's content by the parsed markup; false when it is not well-formed.
bool LoadMarkup(IXMLDOMDocument2* document, std::wstring_view markup);

// Reads: a failed selection and an empty one are both "nothing".
ComPtr<IXMLDOMNode> SelectSingleNode(IXMLDOMNode* context, std::wstring_view xpath);
std::vector<ComPtr<IXMLDOMNode>> SelectNodes(IXMLDOMNode* context, std::wstring_view xpath);
// The node's text as the DOM reports it (white space at its ends dropped); empty on failure.
std::wstring NodeText(IXMLDOMNode* node);
// The exact value of a text, attribute, comment or processing-instruction node.
std::wstring NodeValue(IXMLDOMNode* node);
std::wstring NodeName(IXMLDOMNode* node);
std::vector<ComPtr<IXMLDOMNode>> ChildNodes(IXMLDOMNode* node);
std::vector<ComPtr<IXMLDOMNode>> Attributes(IXMLDOMNode* node);

// Changes: throw SettingsError on failure.
ComPtr<IXMLDOMElement> CreateElement(IXMLDOMDocument* document, std::wstring_view name);
void SetText(IXMLDOMNode* node, std::wstring_view text);
void AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child);
void RemoveChild(IXMLDOMNode* parent, IXMLDOMNode* child);
// The node with everything below it, as a new node of the same document that belongs nowhere yet.
ComPtr<IXMLDOMNode> CloneDeep(IXMLDOMNode* node);
void ReplaceChild(IXMLDOMNode* parent, IXMLDOMNode* replacement, IXMLDOMNode* old);
ComPtr<IXMLDOMNode> ParentNode(IXMLDOMNode* node);
void SetAttribute(IXMLDOMDocument* document, IXMLDOMElement* element, std::wstring_view name,
                  std::wstring_view value);
void AppendProcessingInstruction(IXMLDOMDocument* document, std::wstring_view target,
                                 std::wstring_view data);

}  // namespace zentrel
