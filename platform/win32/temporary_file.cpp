// Temporary files beside the names they will replace: random names, created exclusively.
#include "platform/win32/temporary_file.h"

#include "platform/file_names.h"
#include "platform/win32/wide.h"

#include <random>

namespace t2k {

TemporaryFile create_temporary_file(std::u16string_view folder, DWORD access, DWORD share) {
    std::random_device random;
    for (int attempt = 1;; ++attempt) {
        TemporaryFile temporary;
        temporary.name = temporary_name(folder, random());
        temporary.file = FileHandle(CreateFileW(wide(temporary.name), access, share, nullptr,
                                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (temporary.file) {
            return temporary;
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
            SetLastError(error);
            return {};
        }
    }
}

} // namespace t2k
