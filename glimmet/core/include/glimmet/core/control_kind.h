#pragma once
// The kind of control a window is, decided by its class name alone: the capture reads each kind
// with its own reader.

#include <string_view>

namespace glimmet {

enum class ControlKind {
  Edit, ListBox, ComboBox, ComboLBox, ListView, TreeView, ToolBar, TabControl, ToolTips, Ie, IeFrame,
  Child, Other,
};

// The first row of the classification table whose text the class name contains, ignoring case:
// "RichEdit20W" is an Edit, and a class naming both "ComboBox" and "Edit" is an Edit too.
ControlKind ClassifyWindowClass(std::wstring_view className);

// Substring test ignoring case (ASCII letters): the class names of interest are ASCII.
bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace glimmet
