// SPDX-License-Identifier: MIT
// The window layer keeps UTF-8; the platform's controls hold UTF-16.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace torvix {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// A window's text, as the platform holds it.
std::wstring NativeText(HWND window);

}  // namespace torvix
