// Reading a shell drop: each name in a buffer sized from the drop's own answer, then DragFinish.
#include "toolkit/win32/dropped_files.h"

#include "toolkit/win32/handles.h"

namespace t2k {

std::vector<std::u16string> take_dropped_files(HDROP drop) {
    const DropHandle owner(drop);
    const UINT count = DragQueryFileW(owner.get(), 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> files;
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(owner.get(), i, nullptr, 0);
        std::u16string name(length + 1, u'\0');
        const UINT copied =
            DragQueryFileW(owner.get(), i, reinterpret_cast<wchar_t*>(name.data()), length + 1);
        name.resize(copied);
        files.push_back(std::move(name));
    }
    return files;
}

} // namespace t2k
