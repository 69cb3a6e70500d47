#pragma once

#include <windows.h>

namespace tavrel::win32 {

// A function of a Windows DLL that the program needs only now and then (the file dialog,
// the sound player, the URL opener), loaded on first use rather than at start-up: those
// DLLs are large and would slow every start. Only the system directory is searched, so no
// DLL beside the program can stand in for them. nullptr when it cannot be had.
template <typename Function>
Function* systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

}  // namespace tavrel::win32
