// The program's icon: the first icon group of the exe, loaded at the size asked for.
#include "toolkit/win32/program_icon.h"

#include "toolkit/win32/catch_all.h"

#include <string>
#include <variant>

namespace t2k {

namespace {

// A resource name is a number or a string that lives only during the enumeration, so it is kept
// as a copy.
using ResourceName = std::variant<std::monostate, WORD, std::wstring>;

BOOL CALLBACK keep_first_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) noexcept {
    run_guarded([&] {
        auto& first = *reinterpret_cast<ResourceName*>(found);
        if (IS_INTRESOURCE(name)) {
            first = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        } else {
            first = std::wstring(name);
        }
    });
    return FALSE; // the first one is all we want
}

ResourceName first_icon_group(HMODULE module) {
    ResourceName first;
    // Ends early (FALSE) once it has the first name; no icon at all leaves it empty.
    EnumResourceNamesW(module, RT_GROUP_ICON, &keep_first_name, reinterpret_cast<LONG_PTR>(&first));
    return first;
}

} // namespace

IconHandle load_program_icon(int size) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const ResourceName name = first_icon_group(module);
    const wchar_t* resource = nullptr;
    if (const WORD* id = std::get_if<WORD>(&name)) {
        resource = MAKEINTRESOURCEW(*id);
    } else if (const std::wstring* text = std::get_if<std::wstring>(&name)) {
        resource = text->c_str();
    } else {
        return {};
    }
    return IconHandle(
        static_cast<HICON>(LoadImageW(module, resource, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

} // namespace t2k
