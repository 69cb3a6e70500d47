#pragma once

#include <string>
#include <string_view>

namespace tavrel::win32 {

// The program keeps text in UTF-8; Windows takes UTF-16. These are the only two crossings.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace tavrel::win32
