// config.ini as one document: read whole, written whole in one atomic step.
#include "box/storage/settings_file.h"

#include <optional>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

std::optional<IniFile> ParseSettings(const FileRead& read) {
  if (read.status != FileRead::Status::kOk) return std::nullopt;
  // A NUL or a byte that forms no character means this is not the text file we wrote.
  if (read.bytes.find('\0') != std::string::npos) return std::nullopt;
  DecodedText decoded = DecodeText(read.bytes);
  if (decoded.invalid_bytes != 0) return std::nullopt;
  return IniFile::Parse(decoded.text);
}

}  // namespace

SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path) {
  using State = SettingsDocument::State;
  SettingsDocument doc;
  FileRead read = fs.ReadFile(path);
  if (read.status == FileRead::Status::kMissing) return doc;
  if (std::optional<IniFile> ini = ParseSettings(read)) {
    doc.state = State::kRead;
    doc.ini = std::move(*ini);
  } else {
    doc.state = fs.CopyFile(path, path + u".unreadable") ? State::kKeptAside : State::kUnreadable;
  }
  return doc;
}

SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path,
                                  const std::u16string& delivered_path) {
  SettingsDocument doc = ReadSettingsFile(fs, path);
  if (doc.state == SettingsDocument::State::kMissing) {
    if (std::optional<IniFile> ini = ParseSettings(fs.ReadFile(delivered_path))) {
      doc.ini = std::move(*ini);
    }
  }
  return doc;
}

std::string SettingsFileBytes(const SettingsDocument& doc) {
  return EncodeText(doc.ini.Serialize());
}

}  // namespace velmo
