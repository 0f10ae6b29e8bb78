// BMP written directly; JPEG and PNG through GDI+ encoders.
#include "screenshot/platform/win32/picture_file.h"

// GDI+'s header needs the two before it.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstdio>
#include <cstring>

namespace shot {
namespace {

const wchar_t* MimeType(PictureFormat format) {
  return format == PictureFormat::kJpeg ? L"image/jpeg" : L"image/png";
}

// The GDI+ encoders, loaded only when a JPEG or PNG is written: the library and what it pulls
// in would slow every start-up of the program.
class GdiplusLibrary {
 public:
  GdiplusLibrary() : library_(LoadLibraryW(L"gdiplus.dll")) {
    Load(startup_, "GdiplusStartup");
    Load(shutdown_, "GdiplusShutdown");
    Load(from_dib_, "GdipCreateBitmapFromGdiDib");
    Load(encoders_size_, "GdipGetImageEncodersSize");
    Load(encoders_, "GdipGetImageEncoders");
    Load(save_, "GdipSaveImageToFile");
    Load(dispose_, "GdipDisposeImage");
    Gdiplus::GdiplusStartupInput input;
    started_ = ready_ && startup_(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusLibrary() {
    if (started_) shutdown_(token_);
    if (library_) FreeLibrary(library_);
  }
  GdiplusLibrary(const GdiplusLibrary&) = delete;
  GdiplusLibrary& operator=(const GdiplusLibrary&) = delete;

  bool Save(const BITMAPINFO* info, void* bits, const wchar_t* mime, const wchar_t* path,
            const Gdiplus::EncoderParameters* params) {
    CLSID encoder;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (!started_ || !EncoderFor(mime, &encoder) || from_dib_(info, bits, &bitmap) != Gdiplus::Ok) {
      return false;
    }
    bool ok = save_(bitmap, path, &encoder, params) == Gdiplus::Ok;
    dispose_(bitmap);
    return ok;
  }

 private:
  template <typename F>
  void Load(F*& f, const char* name) {
    f = library_ ? reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(library_, name)))
                 : nullptr;
    ready_ = ready_ && f;
  }
  bool EncoderFor(const wchar_t* mime, CLSID* clsid) {
    UINT count = 0, bytes = 0;
    if (encoders_size_(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<std::uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (encoders_(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
      if (std::wcscmp(codecs[i].MimeType, mime) == 0) {
        *clsid = codecs[i].Clsid;
        return true;
      }
    }
    return false;
  }

  HMODULE library_;
  bool ready_ = true;
  bool started_ = false;
  ULONG_PTR token_ = 0;
  Gdiplus::Status(WINAPI* startup_)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                    Gdiplus::GdiplusStartupOutput*);
  void(WINAPI* shutdown_)(ULONG_PTR);
  Gdiplus::Status(WINAPI* from_dib_)(const BITMAPINFO*, void*, Gdiplus::GpBitmap**);
  Gdiplus::Status(WINAPI* encoders_size_)(UINT*, UINT*);
  Gdiplus::Status(WINAPI* encoders_)(UINT, UINT, Gdiplus::ImageCodecInfo*);
  Gdiplus::Status(WINAPI* save_)(Gdiplus::GpImage*, const WCHAR*, const CLSID*,
                                 const Gdiplus::EncoderParameters*);
  Gdiplus::Status(WINAPI* dispose_)(Gdiplus::GpImage*);
};

size_t PaletteBytes(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return h.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
  return (h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount) * sizeof(RGBQUAD);
}

// Header, palette and every row must be present before anything reads the pixels.
bool Complete(const std::vector<std::uint8_t>& dib, const BITMAPINFOHEADER& h) {
  if (h.biSize < sizeof h || h.biWidth <= 0 || h.biHeight == 0 || h.biBitCount == 0 ||
      (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)) {
    return false;
  }
  const unsigned long long stride =
      (static_cast<unsigned long long>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
  const unsigned long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
  return h.biSize + PaletteBytes(h) + stride * rows <= dib.size();
}

bool WriteBmp(const std::wstring& path, const std::vector<std::uint8_t>& dib,
              const BITMAPINFOHEADER& h) {
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(sizeof file + dib.size());
  file.bfOffBits = static_cast<DWORD>(sizeof file + h.biSize + PaletteBytes(h));
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
            std::fwrite(dib.data(), dib.size(), 1, out) == 1 && std::fflush(out) == 0;
  return std::fclose(out) == 0 && ok;
}

bool WriteEncoded(const std::wstring& path, const std::vector<std::uint8_t>& dib,
                  const BITMAPINFOHEADER& h, PictureFormat format) {
  auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  auto* bits = const_cast<std::uint8_t*>(dib.data() + h.biSize + PaletteBytes(h));
  ULONG quality = kJpegQuality;
  Gdiplus::EncoderParameters params{};
  params.Count = 1;
  params.Parameter[0].Guid = Gdiplus::EncoderQuality;
  params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &quality;
  GdiplusLibrary gdiplus;
  return gdiplus.Save(info, bits, MimeType(format), path.c_str(),
                      format == PictureFormat::kJpeg ? &params : nullptr);
}

}  // namespace

bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& dib,
                  PictureFormat format) {
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  if (!Complete(dib, header)) return false;
  std::wstring temporary = path + L".part";
  bool written = format == PictureFormat::kBmp ? WriteBmp(temporary, dib, header)
                                               : WriteEncoded(temporary, dib, header, format);
  if (written && MoveFileExW(temporary.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace shot
