#pragma once
// Folders of the system and of the program, and starting Explorer on an address.

#include <string>

namespace glimmet::platform {

// A shell folder by its CSIDL (16 the desktop folder, 36 the Windows folder); empty when unknown.
std::wstring SpecialFolder(int csidl);
// The folder that holds the running program, without a trailing backslash.
std::wstring ProgramFolder();
// Starts "explorer.exe <address>" with a normal window; false when it could not be started.
bool OpenWithExplorer(const std::wstring& address);
// The program folder's path joined with a file name.
std::wstring BesideProgram(const std::wstring& fileName);

}  // namespace glimmet::platform
