// What the built taktomat.exe carries: its version resource, its first icon
// group (the program's icon in the shell) and its application manifest.
// The executable is opened as a data file, so nothing of it runs.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "taktomat_product.h"

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

// The product opened with LOAD_LIBRARY_AS_DATAFILE, freed on destruction.
class DataFile {
public:
    explicit DataFile(const wchar_t* path)
        : module_(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)),
          error_(module_ ? 0 : GetLastError()) {}
    ~DataFile() {
        if (module_) FreeLibrary(module_);
    }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    HMODULE get() const { return module_; }
    DWORD error() const { return error_; }

private:
    HMODULE module_;
    DWORD error_;
};

std::vector<unsigned char> ResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
    HRSRC info = FindResourceW(module, name, type);
    if (!info) return {};
    HGLOBAL handle = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const auto* data = static_cast<const unsigned char*>(LockResource(handle));
    if (!data) return {};
    return {data, data + size};
}

// The first name EnumResourceNamesW reports for a type: a number or a text.
struct ResourceName {
    bool found = false;
    bool isNumber = false;
    WORD number = 0;
    std::wstring text;

    const wchar_t* get() const { return isNumber ? MAKEINTRESOURCEW(number) : text.c_str(); }
};

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    auto& first = *reinterpret_cast<ResourceName*>(param);
    first.found = true;
    first.isNumber = IS_INTRESOURCE(name);
    if (first.isNumber)
        first.number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        first.text = name;
    return FALSE;  // the first one is all we want
}

ResourceName FirstResourceName(HMODULE module, const wchar_t* type) {
    ResourceName first;
    EnumResourceNamesW(module, type, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    return first;
}

// The layout of an RT_GROUP_ICON resource.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconHeader) == 6);
static_assert(sizeof(GroupIconEntry) == 14);

struct ImageFormat {
    int width;
    int height;
    int bitCount;
};

std::string Describe(const ImageFormat& format) {
    return std::to_string(format.width) + "x" + std::to_string(format.height) + " " +
           std::to_string(format.bitCount) + "-bit";
}

class Product : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(exe_.get(), nullptr)
            << "cannot open " << Utf8(kTaktomatExe) << " as a data file, error " << exe_.error();
    }

    DataFile exe_{kTaktomatExe};
};

// The fixed part of the version resource.
VS_FIXEDFILEINFO FixedVersion() {
    VS_FIXEDFILEINFO result{};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kTaktomatExe, &ignored);
    if (size == 0) return result;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(kTaktomatExe, 0, size, block.data())) return result;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof result)
        std::memcpy(&result, value, sizeof result);
    return result;
}

std::string DottedVersion(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

std::wstring Hex4(WORD value) {
    const wchar_t* digits = L"0123456789abcdef";
    std::wstring text(4, L'0');
    for (int i = 3; i >= 0; --i, value >>= 4) text[i] = digits[value & 0xF];
    return text;
}

// A text of the version resource's first string table, "" when missing.
std::wstring VersionString(const wchar_t* key) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kTaktomatExe, &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(kTaktomatExe, 0, size, block.data())) return {};
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < sizeof(Translation))
        return {};
    const auto* translation = static_cast<const Translation*>(value);
    const std::wstring path = L"\\StringFileInfo\\" + Hex4(translation->language) +
                              Hex4(translation->codePage) + L"\\" + key;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
}

std::string Manifest(HMODULE module) {
    const auto bytes = ResourceBytes(module, RT_MANIFEST, MAKEINTRESOURCEW(1));
    return {bytes.begin(), bytes.end()};
}

TEST(VersionResource, FixedFileVersion_Is1_2_0_0) {
    const VS_FIXEDFILEINFO fixed = FixedVersion();
    ASSERT_EQ(fixed.dwSignature, 0xFEEF04BDu) << "no version resource";
    EXPECT_EQ(DottedVersion(fixed.dwFileVersionMS, fixed.dwFileVersionLS), "1.2.0.0");
}

TEST(VersionResource, FixedProductVersion_Is1_2_0_0) {
    const VS_FIXEDFILEINFO fixed = FixedVersion();
    ASSERT_EQ(fixed.dwSignature, 0xFEEF04BDu) << "no version resource";
    EXPECT_EQ(DottedVersion(fixed.dwProductVersionMS, fixed.dwProductVersionLS), "1.2.0.0");
}

TEST(VersionResource, VersionTexts_Read1_2_0_0) {
    EXPECT_EQ(Utf8(VersionString(L"FileVersion")), "1.2.0.0");
    EXPECT_EQ(Utf8(VersionString(L"ProductVersion")), "1.2.0.0");
}

TEST_F(Product, FirstIconGroup_HasTheFourImagesInOrder) {
    const ResourceName first = FirstResourceName(exe_.get(), RT_GROUP_ICON);
    ASSERT_TRUE(first.found) << "no icon group";
    const auto group = ResourceBytes(exe_.get(), RT_GROUP_ICON, first.get());
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    EXPECT_EQ(header.type, 1) << "not an icon group";
    ASSERT_EQ(header.count, 4u);
    ASSERT_GE(group.size(), sizeof header + header.count * sizeof(GroupIconEntry));

    const ImageFormat expected[] = {{16, 16, 24}, {32, 32, 8}, {32, 32, 24}, {32, 32, 32}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1) + ", expected " + Describe(expected[i]));
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        // The directory entry is what Windows picks an image by.
        const ImageFormat listed{entry.width ? entry.width : 256, entry.height ? entry.height : 256,
                                 entry.bitCount};
        EXPECT_EQ(Describe(listed), Describe(expected[i])) << "in the group's directory";

        // The image itself: a DIB with the XOR and AND masks stacked, hence twice the height.
        const auto image = ResourceBytes(exe_.get(), RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << "icon image " << entry.id;
        BITMAPINFOHEADER bitmap;
        std::memcpy(&bitmap, image.data(), sizeof bitmap);
        ASSERT_EQ(bitmap.biSize, sizeof(BITMAPINFOHEADER)) << "not a DIB image (PNG?)";
        const ImageFormat stored{bitmap.biWidth, bitmap.biHeight / 2, bitmap.biBitCount};
        EXPECT_EQ(Describe(stored), Describe(expected[i])) << "in the image";
        EXPECT_EQ(bitmap.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST_F(Product, Manifest_DeclaresPerMonitorV2First) {
    const std::string manifest = Manifest(exe_.get());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    // Windows takes the first value of the list that it knows.
    const std::regex dpiAwareness(R"(<(\w+:)?dpiAwareness\b[^>]*>\s*PerMonitorV2\s*[,<])");
    EXPECT_TRUE(std::regex_search(manifest, dpiAwareness)) << manifest;
}

TEST_F(Product, Manifest_DependsOnCommonControls6) {
    const std::string manifest = Manifest(exe_.get());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    const std::regex identity(R"(<dependentAssembly>\s*<assemblyIdentity\b[^>]*>)");
    bool found = false;
    for (std::sregex_iterator it(manifest.begin(), manifest.end(), identity), end; it != end;
         ++it) {
        const std::string element = it->str();
        if (element.find("\"Microsoft.Windows.Common-Controls\"") == std::string::npos) continue;
        found = true;
        EXPECT_NE(element.find("version=\"6.0.0.0\""), std::string::npos) << element;
        // Without the right token the side-by-side loader refuses to start the program.
        EXPECT_NE(element.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos)
            << element;
    }
    EXPECT_TRUE(found) << "no dependency on Microsoft.Windows.Common-Controls\n" << manifest;
}

}  // namespace
