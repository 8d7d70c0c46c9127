// Both exes as Windows sees them: their icon, read as Explorer and LoadImage read it, and their
// version record, read through the version API.
#include "tests/support/build_file_path.h"
#include "tests/win32/icon_image.h"
#include "toolkit/win32/handles.h"

#include <shellapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace t2k {
namespace {

using ::testing::ElementsAre;

struct Exe {
    const char* test_name;
    const char* posix_path;
    const wchar_t* description;
    const wchar_t* internal_name;
    const wchar_t* original_filename;
};

const Exe exes[] = {
    {"gui", T2K_PROGRAM_EXE, L"Tovaro2KORVANE", L"Tovaro2KORVANE", L"Tovaro2KORVANE.exe"},
    {"cli", T2K_CLI_EXE, L"Tovaro2KORVANE command-line converter", L"tovaro2korvane-cli",
     L"tovaro2korvane-cli.exe"},
};

// Failures name the exe, not the bytes of its entry.
void PrintTo(const Exe& exe, std::ostream* out) {
    *out << exe.test_name;
}

using LoadedModule = LibraryHandle;

// The icon group directory as it sits in the resource (2-byte packing, as the format has it).
#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct GroupEntry {
    BYTE width, height, colour_count, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes resource_bytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
            SizeofResource(module, found)};
}

BOOL CALLBACK collect_id(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    // Every icon of ours is numbered; a named group is recorded as 0, so it fails the checks.
    reinterpret_cast<std::vector<WORD>*>(ids)->push_back(
        IS_INTRESOURCE(name) ? static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)) : 0);
    return TRUE;
}

std::wstring version_string(const std::vector<BYTE>& record, const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904E4\\" + key;
    if (!VerQueryValueW(record.data(), path.c_str(), &value, &length) || length == 0) {
        return L"(missing)";
    }
    return static_cast<const wchar_t*>(value);
}

class ProgramResources : public ::testing::TestWithParam<Exe> {
protected:
    std::wstring path() const { return test::windows_path_of_build_file(GetParam().posix_path); }
};

TEST_P(ProgramResources, first_icon_group_holds_every_size_once_and_each_image_loads) {
    LoadedModule exe(LoadLibraryExW(path().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(exe) << "cannot open the exe, error " << GetLastError();
    std::vector<WORD> groups;
    EnumResourceNamesW(exe.get(), RT_GROUP_ICON, &collect_id, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_THAT(groups, ElementsAre(1));

    const ResourceBytes group = resource_bytes(exe.get(), MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_GE(group.size, sizeof(GroupHeader));
    const auto* header = reinterpret_cast<const GroupHeader*>(group.data);
    EXPECT_EQ(header->type, 1); // icons, not cursors
    ASSERT_EQ(group.size, sizeof(GroupHeader) + header->count * sizeof(GroupEntry));
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);

    std::vector<int> sizes;
    for (const GroupEntry& entry : std::vector<GroupEntry>(entries, entries + header->count)) {
        const int size = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE(size);
        sizes.push_back(size);
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.bit_count, 32);
        // The image itself, decoded by the system at its own size.
        const ResourceBytes image = resource_bytes(exe.get(), MAKEINTRESOURCEW(entry.id), RT_ICON);
        ASSERT_EQ(image.size, entry.bytes);
        IconHandle icon(CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE,
                                                 0x00030000, 0, 0, LR_DEFAULTCOLOR));
        ASSERT_TRUE(icon) << "the system cannot read the image";
        const test::IconImage picture = test::read_icon_image(icon.get());
        EXPECT_EQ(picture.width, size);
        EXPECT_EQ(picture.height, size);
        EXPECT_TRUE(test::shows_the_star_ring(picture));
        // LoadImage picks it from the group for its size.
        EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data), TRUE, size, size,
                                              LR_DEFAULTCOLOR),
                  entry.id);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_THAT(sizes, ElementsAre(16, 20, 24, 32, 40, 48, 64, 256));
}

TEST_P(ProgramResources, explorer_extracts_the_icon_at_the_system_sizes) {
    EXPECT_EQ(ExtractIconExW(path().c_str(), -1, nullptr, nullptr, 0), 1u);
    HICON big_handle = nullptr, small_handle = nullptr;
    ASSERT_EQ(ExtractIconExW(path().c_str(), 0, &big_handle, &small_handle, 1), 2u);
    IconHandle big_icon(big_handle), small_icon(small_handle);
    EXPECT_EQ(test::read_icon_image(big_icon.get()).width, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(test::read_icon_image(small_icon.get()).width, GetSystemMetrics(SM_CXSMICON));
}

TEST_P(ProgramResources, version_record_holds_every_string_under_us_english_windows_latin_1) {
    const Exe& exe = GetParam();
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(path().c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(path().c_str(), 0, size, record.data()));

    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } expected[] = {
        {L"CompanyName", L"Quenby Software"},
        {L"FileDescription", exe.description},
        {L"FileVersion", L"1.0.0.0"},
        {L"InternalName", exe.internal_name},
        {L"LegalCopyright", L"Copyright \u00A9 2025 Quenby Software"},
        {L"OriginalFilename", exe.original_filename},
        {L"ProductName", L"Tovaro2KORVANE"},
        {L"ProductVersion", L"1.0.0.0"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(version_string(record, e.key), e.value) << "key " << std::wstring(e.key);
    }

    void* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &translation, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(translation)[0], 0x0409);
    EXPECT_EQ(static_cast<const WORD*>(translation)[1], 0x04E4);
}

INSTANTIATE_TEST_SUITE_P(BothExes, ProgramResources, ::testing::ValuesIn(exes),
                         [](const auto& info) { return std::string(info.param.test_name); });

} // namespace
} // namespace t2k
