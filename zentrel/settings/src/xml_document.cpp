#include "zentrel/settings/xml_document.h"

#include <ole2.h>

#include "zentrel/settings/com_values.h"
#include "zentrel/settings/settings_error.h"

namespace zentrel {

namespace {

// MinGW's libuuid lacks this interface id.
constexpr IID kIidXmlDomDocument2 = {
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// In-process server and handler, local and remote server: whatever the registration offers.
constexpr DWORD kAnyServerContext = 0x17;

}  // namespace

ComPtr<IXMLDOMDocument2> CreateXmlDocument(std::wstring_view progId) {
  CLSID classId{};
  ThrowIfFailed(CLSIDFromProgID(std::wstring(progId).c_str(), &classId),
                "the XML document class is not registered");
  ComPtr<IUnknown> object;
  ThrowIfFailed(CoCreateInstance(classId, nullptr, kAnyServerContext, IID_IUnknown,
                                 reinterpret_cast<void**>(object.GetAddressOf())),
                "the XML document object cannot be created");
  ThrowIfFailed(OleRun(object.Get()), "the XML document object cannot be started");
  ComPtr<IXMLDOMDocument2> document;
  ThrowIfFailed(object->QueryInterface(kIidXmlDomDocument2,
                                       reinterpret_cast<void**>(document.GetAddressOf())),
                "the XML document object offers no IXMLDOMDocument2");
  ThrowIfFailed(document->put_async(VARIANT_FALSE), "the XML document cannot load synchronously");
  ThrowIfFailed(document->setProperty(Bstr(L"SelectionLanguage").Get(), Variant(L"XPath").Get()),
                "the XML document cannot select by XPath");
  ThrowIfFailed(document->put_preserveWhiteSpace(VARIANT_FALSE),
                "the XML document cannot drop white space");
  return document;
}

bool LoadMarkup(IXMLDOMDocument2* document, std::wstring_view markup) {
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT hr = document->loadXML(Bstr(markup).Get(), &loaded);
  return hr == S_OK && loaded == VARIANT_TRUE;
}

ComPtr<IXMLDOMNode> SelectSingleNode(IXMLDOMNode* context, std::wstring_view xpath) {
  ComPtr<IXMLDOMNode> node;
  if (context == nullptr || context->selectSingleNode(Bstr(xpath).Get(), node.GetAddressOf()) != S_OK) {
    return nullptr;
  }
  return node;
}

namespace {

std::vector<ComPtr<IXMLDOMNode>> ListItems(IXMLDOMNodeList* list) {
  std::vector<ComPtr<IXMLDOMNode>> nodes;
  long length = 0;
  if (list == nullptr || FAILED(list->get_length(&length))) return nodes;
  for (long i = 0; i < length; ++i) {
    ComPtr<IXMLDOMNode> item;
    if (list->get_item(i, item.GetAddressOf()) == S_OK && item) nodes.push_back(std::move(item));
  }
  return nodes;
}

}  // namespace

std::vector<ComPtr<IXMLDOMNode>> SelectNodes(IXMLDOMNode* context, std::wstring_view xpath) {
  ComPtr<IXMLDOMNodeList> list;
  if (context == nullptr || FAILED(context->selectNodes(Bstr(xpath).Get(), list.GetAddressOf()))) return {};
  return ListItems(list.Get());
}

std::wstring NodeText(IXMLDOMNode* node) {
  Bstr text;
  if (FAILED(node->get_text(text.Out()))) return {};
  return text.Text();
}

std::wstring NodeValue(IXMLDOMNode* node) {
  Variant value;
  if (FAILED(node->get_nodeValue(value.Out()))) return {};
  return value.Text();
}

std::wstring NodeName(IXMLDOMNode* node) {
  Bstr name;
  if (FAILED(node->get_nodeName(name.Out()))) return {};
  return name.Text();
}

std::vector<ComPtr<IXMLDOMNode>> ChildNodes(IXMLDOMNode* node) {
  ComPtr<IXMLDOMNodeList> list;
  if (FAILED(node->get_childNodes(list.GetAddressOf()))) return {};
  return ListItems(list.Get());
}

std::vector<ComPtr<IXMLDOMNode>> Attributes(IXMLDOMNode* node) {
  std::vector<ComPtr<IXMLDOMNode>> nodes;
  ComPtr<IXMLDOMNamedNodeMap> map;
  long length = 0;
  if (node->get_attributes(map.GetAddressOf()) != S_OK || !map || FAILED(map->get_length(&length))) {
    return nodes;
  }
  for (long i = 0; i < length; ++i) {
    ComPtr<IXMLDOMNode> item;
    if (map->get_item(i, item.GetAddressOf()) == S_OK && item) nodes.push_back(std::move(item));
  }
  return nodes;
}

ComPtr<IXMLDOMElement> CreateElement(IXMLDOMDocument* document, std::wstring_view name) {
  ComPtr<IXMLDOMElement> element;
  ThrowIfFailed(document->createElement(Bstr(name).Get(), element.GetAddressOf()),
                "an XML element cannot be created");
  return element;
}

void SetText(IXMLDOMNode* node, std::wstring_view text) {
  ThrowIfFailed(node->put_text(Bstr(text).Get()), "an XML element's text cannot be set");
}

void AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child) {
  ComPtr<IXMLDOMNode> appended;
  ThrowIfFailed(parent->appendChild(child, appended.GetAddressOf()), "an XML node cannot be appended");
}

void RemoveChild(IXMLDOMNode* parent, IXMLDOMNode* child) {
  ComPtr<IXMLDOMNode> removed;
  ThrowIfFailed(parent->removeChild(child, removed.GetAddressOf()), "an XML node cannot be removed");
}

ComPtr<IXMLDOMNode> CloneDeep(IXMLDOMNode* node) {
  ComPtr<IXMLDOMNode> clone;
  ThrowIfFailed(node->cloneNode(VARIANT_TRUE, clone.GetAddressOf()), "an XML node cannot be copied");
  return clone;
}

void ReplaceChild(IXMLDOMNode* parent, IXMLDOMNode* replacement, IXMLDOMNode* old) {
  ComPtr<IXMLDOMNode> replaced;
  ThrowIfFailed(parent->replaceChild(replacement, old, replaced.GetAddressOf()), "an XML node cannot be replaced");
}

ComPtr<IXMLDOMNode> ParentNode(IXMLDOMNode* node) {
  ComPtr<IXMLDOMNode> parent;
  ThrowIfFailed(node->get_parentNode(parent.GetAddressOf()), "an XML node's parent cannot be read");
  return parent;
}

void SetAttribute(IXMLDOMDocument* document, IXMLDOMElement* element, std::wstring_view name,
                  std::wstring_view value) {
  ComPtr<IXMLDOMAttribute> attribute;
  ThrowIfFailed(document->createAttribute(Bstr(name).Get(), attribute.GetAddressOf()),
                "an XML attribute cannot be created");
  SetText(attribute.Get(), value);
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  ThrowIfFailed(element->get_attributes(attributes.GetAddressOf()),
                "an XML element's attributes cannot be read");
  ComPtr<IXMLDOMNode> previous;
  ThrowIfFailed(attributes->setNamedItem(attribute.Get(), previous.GetAddressOf()),
                "an XML attribute cannot be set");
}

void AppendProcessingInstruction(IXMLDOMDocument* document, std::wstring_view target,
                                 std::wstring_view data) {
  ComPtr<IXMLDOMProcessingInstruction> instruction;
  ThrowIfFailed(document->createProcessingInstruction(Bstr(target).Get(), Bstr(data).Get(),
                                                      instruction.GetAddressOf()),
                "an XML processing instruction cannot be created");
  AppendChild(document, instruction.Get());
}

}  // namespace zentrel
