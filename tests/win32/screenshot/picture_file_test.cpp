// Picture files: the format follows the name, and each reads back at the right size and colours.
#include "screenshot/platform/win32/picture_file.h"

// GDI+'s header needs the two before it.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "screenshot/platform/win32/frozen_screen.h"

namespace shot {
namespace {

class PictureFileTest : public testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"shot-pictures-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    // 33 x 17: an odd width, so BMP rows carry padding. Left half red, right half blue.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 33, -17, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT left{0, 0, 16, 17}, right{16, 0, 33, 17};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    dib_ = FrozenScreen(dc, {0, 0}, {33, 17}).PackedDib({0, 0, 33, 17});
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void TearDown() override {
    Gdiplus::GdiplusShutdown(token_);
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }

  ULONG_PTR token_ = 0;
  std::wstring folder_;
  std::vector<std::uint8_t> dib_;
};

bool Near(Gdiplus::Color c, int r, int g, int b, int tolerance) {
  return std::abs(c.GetR() - r) <= tolerance && std::abs(c.GetG() - g) <= tolerance &&
         std::abs(c.GetB() - b) <= tolerance;
}

TEST_F(PictureFileTest, EachTypeIsWrittenInItsRealFormatAndReadsBack) {
  struct Row {
    const wchar_t* name;
    PictureFormat written;
    GUID format;
    int tolerance;  // JPEG is lossy
  };
  const Row rows[] = {
      {L"a.bmp", PictureFormat::kBmp, Gdiplus::ImageFormatBMP, 0},
      {L"b.jpg", PictureFormat::kJpeg, Gdiplus::ImageFormatJPEG, 24},
      {L"d.png", PictureFormat::kPng, Gdiplus::ImageFormatPNG, 0},
      {L"e.gif", PictureFormat::kPng, Gdiplus::ImageFormatPNG, 0},
      {L"f", PictureFormat::kJpeg, Gdiplus::ImageFormatJPEG, 24},
      {L"g.png", PictureFormat::kBmp, Gdiplus::ImageFormatBMP, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
    std::wstring path = Path(r.name);
    ASSERT_TRUE(WritePicture(path, dib_, r.written));
    EXPECT_EQ(GetFileAttributesW((path + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
    {
      Gdiplus::Bitmap read(path.c_str());
      ASSERT_EQ(read.GetLastStatus(), Gdiplus::Ok);
      EXPECT_EQ(read.GetWidth(), 33u);
      EXPECT_EQ(read.GetHeight(), 17u);
      GUID format;
      read.GetRawFormat(&format);
      EXPECT_TRUE(IsEqualGUID(format, r.format));
      Gdiplus::Color c;
      read.GetPixel(4, 8, &c);
      EXPECT_TRUE(Near(c, 255, 0, 0, r.tolerance));
      read.GetPixel(28, 8, &c);
      EXPECT_TRUE(Near(c, 0, 0, 255, r.tolerance));
    }
    DeleteFileW(path.c_str());
  }
}

TEST_F(PictureFileTest, ReplacesAnExistingFile) {
  std::wstring path = Path(L"again.bmp");
  HANDLE old = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(old, "old", 3, &written, nullptr);
  CloseHandle(old);
  ASSERT_TRUE(WritePicture(path, dib_, PictureFormat::kBmp));
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  // File header, info header and 17 rows of 33 * 3 bytes padded to 100.
  EXPECT_EQ(data.nFileSizeLow, 14u + 40u + 17u * 100u);
  DeleteFileW(path.c_str());
}

TEST_F(PictureFileTest, FailuresLeaveNothingBehind) {
  EXPECT_FALSE(WritePicture(Path(L"missing\\x.png"), dib_, PictureFormat::kPng));
  EXPECT_FALSE(WritePicture(Path(L"missing\\x.bmp"), dib_, PictureFormat::kBmp));
  EXPECT_FALSE(WritePicture(Path(L"empty.bmp"), {}, PictureFormat::kBmp));
  std::vector<std::uint8_t> header_only(dib_.begin(), dib_.begin() + 20);
  EXPECT_FALSE(WritePicture(Path(L"short.bmp"), header_only, PictureFormat::kBmp));
  std::vector<std::uint8_t> rows_missing(dib_.begin(), dib_.end() - 100);
  EXPECT_FALSE(WritePicture(Path(L"short.png"), rows_missing, PictureFormat::kPng));
  EXPECT_EQ(GetFileAttributesW(Path(L"empty.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(Path(L"short.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(Path(L"short.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace shot
