// The resources of the Windows XP executable itself, read from the file.
#include "testing.h"
#include <string>

namespace {

// The executable mapped as data; resources are read from it without running it.
struct ProgramFile {
    std::wstring path = WindowsPathFromEnv("SERTAVO_XP_EXE");
    HMODULE module = LoadLibraryExW(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ~ProgramFile()
    {
        if (module)
            FreeLibrary(module);
    }
};

const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

std::string ResourceBytes(HMODULE module, const wchar_t* type, int id, WORD lang)
{
    HRSRC r = FindResourceExW(module, type, MAKEINTRESOURCEW(id), lang);
    if (!r)
        return std::string();
    const char* p = static_cast<const char*>(LockResource(LoadResource(module, r)));
    return std::string(p, SizeofResource(module, r));
}

// A registry file as the registry editor writes it: UTF-16LE with a byte
// order mark, CR LF between lines, none after the last.
std::string RegistryFile(std::initializer_list<const char16_t*> lines)
{
    std::u16string text = u"\xFEFF";
    bool first = true;
    for (const char16_t* line : lines) {
        if (!first)
            text += u"\r\n";
        text += line;
        first = false;
    }
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

#define NAMESPACE_KEY \
    u"[HKEY_LOCAL_"   \
    u"MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace"
#define CABINET_KEY \
    u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState]"

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

std::wstring VersionString(const std::vector<char>& info, const wchar_t* name)
{
    std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    wchar_t* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value)
        return L"<missing>";
    return value;
}

}  // namespace

TEST_CASE("the registry payloads are carried byte for byte")
{
    ProgramFile exe;
    REQUIRE(exe.module != NULL);

    const std::string repair = RegistryFile({
        u"Windows Registry Editor Version 5.00",
        u"",
        CABINET_KEY,
        u"\"Use Search Asst\"=\"no\"",
        u"",
        NAMESPACE_KEY u"]",
        NAMESPACE_KEY u"\\{1f4de370-d627-11d1-ba4f-00a0c91eedba}]",
        u"@=\"Computer Search Results Folder\"",
        NAMESPACE_KEY u"\\{450D8FBA-AD25-11D0-98A8-0800361B1103}]",
        u"@=\"\"",
        u"\"Removal Message\"=\"@mydocs.dll,-900\"",
        NAMESPACE_KEY u"\\{645FF040-5081-101B-9F08-00AA002F954E}]",
        u"@=\"Recycle Bin\"",
        NAMESPACE_KEY u"\\{e17d4fc0-5564-11d1-83f2-00a0c90dc849}]",
        u"@=\"Search Results Folder\"",
    });
    const std::string restore = RegistryFile({
        u"Windows Registry Editor Version 5.00",
        u"",
        CABINET_KEY,
        u"\"Use Search Asst\"=\"\"",
        u"",
        NAMESPACE_KEY u"]",
        NAMESPACE_KEY u"\\{1f4de370-d627-11d1-ba4f-00a0c91eedba}]",
        u"@=\"\"",
        NAMESPACE_KEY u"\\{450D8FBA-AD25-11D0-98A8-0800361B1103}]",
        u"@=\"\"",
        u"\"Removal Message\"=\"\"",
        NAMESPACE_KEY u"\\{645FF040-5081-101B-9F08-00AA002F954E}]",
        u"@=\"\"",
        NAMESPACE_KEY u"\\{e17d4fc0-5564-11d1-83f2-00a0c90dc849}]",
        u"@=\"\"",
    });
    CHECK(repair.size() == 1770);
    CHECK(restore.size() == 1610);

    // Resource type names match without regard to case.
    CHECK(ResourceBytes(exe.module, L"custom", 101, kChinesePrc) == repair);
    CHECK(ResourceBytes(exe.module, L"CUSTOM", 102, kChinesePrc) == restore);
}

TEST_CASE("the icon has its four images")
{
    ProgramFile exe;
    REQUIRE(exe.module != NULL);
    std::string group = ResourceBytes(exe.module, RT_GROUP_ICON, 1, kChinesePrc);
    REQUIRE(group.size() == 6 + 4 * sizeof(IconGroupEntry));
    auto* dir = reinterpret_cast<const IconGroup*>(group.data());
    REQUIRE(dir->count == 4);

    struct {
        int size, bits;
        DWORD bytes;
    } expected[] = {{24, 8, 1736}, {256, 32, 270376}, {128, 32, 67624}, {48, 24, 7336}};
    DWORD total = 6 + 4 * 16;
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        const IconGroupEntry& e = dir->entries[i];
        CHECK((e.width ? e.width : 256) == expected[i].size);
        CHECK((e.height ? e.height : 256) == expected[i].size);
        CHECK(e.bitCount == expected[i].bits);
        CHECK(e.bytes == expected[i].bytes);
        std::string image = ResourceBytes(exe.module, RT_ICON, e.id, kChinesePrc);
        CHECK(image.size() == expected[i].bytes);
        // Every image is a device-independent bitmap with its mask, not PNG.
        auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        CHECK(header->biSize == 40);
        CHECK(header->biWidth == expected[i].size);
        CHECK(header->biHeight == 2 * expected[i].size);
        CHECK(header->biBitCount == expected[i].bits);
        total += e.bytes;
    }
    CHECK(total == 347142);  // as an icon file
}

TEST_CASE("the version resource names the product")
{
    std::wstring path = WindowsPathFromEnv("SERTAVO_XP_EXE");
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    REQUIRE(size > 0);
    std::vector<char> info(size);
    REQUIRE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    REQUIRE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    CHECK(fixed->dwFileVersionMS == 0x00010000);
    CHECK(fixed->dwFileVersionLS == 0);
    CHECK(fixed->dwProductVersionMS == 0x00010000);
    CHECK(fixed->dwProductVersionLS == 0);

    CHECK(VersionString(info, L"FileVersion") == L"1.00");
    CHECK(VersionString(info, L"ProductVersion") == L"1.00");
    CHECK(VersionString(info, L"ProductName") == L"Sertavo");
    CHECK(VersionString(info, L"InternalName") == L"Sertavo");
    CHECK(VersionString(info, L"OriginalFilename") == L"Sertavo.exe");
    CHECK(VersionString(info, L"CompanyName") == L"Quillhaven");

    DWORD* translation = nullptr;
    REQUIRE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                           reinterpret_cast<void**>(&translation), &len));
    CHECK(*translation == MAKELONG(0x0804, 1200));
}

TEST_CASE("the manifest runs the program as its invoker, in a form Windows XP reads")
{
    ProgramFile exe;
    std::string manifest = ResourceBytes(exe.module, RT_MANIFEST, 1, LANG_NEUTRAL);
    auto has = [&](const char* part) { return manifest.find(part) != std::string::npos; };
    CHECK(has("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));
    // One namespace, not asm.v1: XP refuses trustInfo in the default one, and
    // an element declaring two restarts an XP SP2 session.
    CHECK(has("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">"));
    CHECK(!has("Common-Controls"));
    CHECK(!has("dpiAware"));
}
