#pragma once

#include <windows.h>

#include <string>

// Sets the text of control id in dialog; nothing when either is missing.
void SetControlText(UINT id, HWND dialog, const std::string& text);
