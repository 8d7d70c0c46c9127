// A new file under a temporary name beside another file: the one way the output writer and the
// settings rewrite make the file they later rename over a name.
#pragma once

#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace t2k {

struct TemporaryFile {
    FileHandle file;
    std::u16string name; // empty when none could be made
};

// Created with CREATE_NEW in folder (with its trailing delimiter), so a file or link someone put
// under a name we would pick is never written through and two runs never share one; a taken name
// is tried again with another. Without a file, GetLastError tells why.
TemporaryFile create_temporary_file(std::u16string_view folder, DWORD access, DWORD share);

} // namespace t2k
