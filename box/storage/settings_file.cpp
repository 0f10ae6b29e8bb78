// config.ini as one document: read whole, written whole in one atomic step.
#include "box/storage/settings_file.h"

#include "box/storage/text_codec.h"

namespace velmo {

SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path) {
  SettingsDocument doc;
  FileRead read = fs.ReadFile(path);
  if (read.status == FileRead::Status::kMissing) return doc;
  doc.state = SettingsDocument::State::kUnreadable;
  if (read.status != FileRead::Status::kOk) return doc;
  // A NUL or a byte that forms no character means this is not the text file we wrote.
  if (read.bytes.find('\0') != std::string::npos) return doc;
  DecodedText decoded = DecodeText(read.bytes);
  if (decoded.invalid_bytes != 0) return doc;
  doc.state = SettingsDocument::State::kRead;
  doc.ini = IniFile::Parse(decoded.text);
  return doc;
}

bool WriteSettingsFile(FileSystem& fs, const std::u16string& path, const SettingsDocument& doc) {
  if (doc.state == SettingsDocument::State::kUnreadable &&
      !fs.CopyFile(path, path + u".unreadable")) {
    return false;  // the user's file stays as it is rather than be lost
  }
  return fs.WriteFileAtomic(path, EncodeText(doc.ini.Serialize()));
}

}  // namespace velmo
