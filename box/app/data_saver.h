// Keeps DATA up to date while the box runs: each list file, config.ini and Usage.sd is written on
// a worker within about a second of a change to it; a write that fails is said and tried again, and
// the data stays in memory until a write succeeds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "box/shell/box_state.h"
#include "box/storage/save_worker.h"
#include "box/ui/form.h"

namespace velmo {

enum class Document { kItems, kPlaylist, kContacts, kSettings, kUsage };

// The list file of kItems, kPlaylist or kContacts.
ListKind KindOf(Document list);
ListFile& ListOf(BoxState& state, Document list);

// A file whose latest content is not on disk, and why.
struct UnsavedDocument {
  Document document;
  std::u16string name;    // "App.sd"
  std::u16string reason;  // "磁盘空间不足"
};

class DataSaver {
 public:
  // `fill_settings` brings the settings document up to date with the switches and the window.
  DataSaver(BoxState& state, FileSystem& files, Form& window, std::function<void()> fill_settings);

  // How a failed save is said: text, title.
  std::function<void(const std::u16string&, const std::u16string&)> say;

  // What memory holds now is what the files hold: they were just read.
  void Baseline();
  // Start-up has said already that `document` cannot be written.
  void SaidUnwritable(Document document);
  // From now on a change is saved within a second.
  void Start();
  // Writes the documents now, changed or not, in the order given, and waits for them. False
  // unless every one was written.
  bool WriteNow(std::initializer_list<Document> documents);
  // The user's documents whose latest content is not on disk; Usage.sd, which only orders
  // suggestions, is none of them.
  std::vector<UnsavedDocument> Unsaved();
  // The file as memory holds it.
  std::string BytesOf(Document document);
  std::u16string PathOf(Document document) const;

  // Until the writes handed over have ended (tests).
  void Wait() { worker_.Wait(); }

 private:
  struct Track {
    std::uint64_t handed = 0;   // the version last handed to the worker
    std::uint64_t on_disk = 0;  // the version the file holds
    WriteError failing = WriteError::kNone;
    bool said = false;  // start-up said it cannot be written: quiet until a write succeeds
  };
  static constexpr std::size_t kCount = 5;

  void Tick();
  bool Writable(Document document) const;
  std::uint64_t VersionOf(Document document);
  void Hand(Document document, std::uint64_t version);
  // Takes what the worker did; a failure is said when `say_failures`. False if a write failed.
  bool Collect(bool say_failures);
  std::u16string Reason(Document document) const;

  BoxState& state_;
  std::function<void()> fill_settings_;
  Timer& timer_;
  std::array<Track, kCount> tracks_{};
  std::u16string settings_text_;
  std::uint64_t settings_version_ = 0;
  SaveWorker worker_;  // last: it ends before what its jobs use
};

}  // namespace velmo
