#include "box/app/data_saver.h"

#include <limits>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr int kSaveWatchMs = 1000;
// A version no document has: a failed write is handed over again at the next tick.
constexpr std::uint64_t kNotHanded = std::numeric_limits<std::uint64_t>::max();

constexpr Document kDocuments[] = {Document::kItems, Document::kPlaylist, Document::kContacts,
                                   Document::kSettings, Document::kUsage};

std::u16string NameOf(Document document) {
  switch (document) {
    case Document::kSettings:
      return u"config.ini";
    case Document::kUsage:
      return std::u16string(kUsageFileName);
    default:
      return std::u16string(ListFileName(KindOf(document)));
  }
}

std::u16string ReasonOf(WriteError error) {
  switch (error) {
    case WriteError::kDiskFull:
      return u"磁盘空间不足";
    case WriteError::kInUse:
      return u"文件正被其他程序占用";
    case WriteError::kDenied:
      return u"文件是只读的，或没有写入权限";
    case WriteError::kFolderMissing:
      return u"DATA 文件夹已不存在，也无法重新创建";
    default:
      return u"写入磁盘时出错";
  }
}

}  // namespace

ListKind KindOf(Document document) {
  switch (document) {
    case Document::kItems:
      return ListKind::kItems;
    case Document::kPlaylist:
      return ListKind::kPlaylist;
    default:
      return ListKind::kContacts;
  }
}

ListFile& ListOf(BoxState& state, Document document) {
  switch (document) {
    case Document::kItems:
      return state.lists.items;
    case Document::kPlaylist:
      return state.lists.playlist;
    default:
      return state.lists.contacts;
  }
}

DataSaver::DataSaver(BoxState& state, FileSystem& files, Form& window,
                     std::function<void()> fill_settings)
    : state_(state),
      fill_settings_(std::move(fill_settings)),
      timer_(window.AddTimer("TimerSave", kSaveWatchMs, [this] { Tick(); })),
      worker_(files) {}

void DataSaver::Baseline() {
  for (Document d : kDocuments) {
    Track& track = tracks_[static_cast<std::size_t>(d)];
    track.handed = track.on_disk = VersionOf(d);
  }
}

void DataSaver::SaidUnwritable(Document document) {
  tracks_[static_cast<std::size_t>(document)].said = true;
}

void DataSaver::Start() { timer_.Start(); }

bool DataSaver::Writable(Document document) const {
  if (document == Document::kSettings) {
    return state_.settings_file.state != SettingsDocument::State::kUnreadable;
  }
  if (document == Document::kUsage) return !state_.usage.unreadable;
  return !ListOf(state_, document).unreadable;
}

std::uint64_t DataSaver::VersionOf(Document document) {
  // Both only grow: their sum changes with either, and a deleted item drops its line.
  if (document == Document::kUsage) return state_.usage.revision + state_.lists.items.list.revision;
  if (document != Document::kSettings) return ListOf(state_, document).list.revision;
  fill_settings_();
  std::u16string text = state_.settings_file.ini.Serialize();
  if (text != settings_text_) {
    settings_text_ = std::move(text);
    ++settings_version_;
  }
  return settings_version_;
}

std::u16string DataSaver::PathOf(Document document) const {
  return JoinPath(JoinPath(state_.program_folder, u"DATA"), NameOf(document));
}

std::string DataSaver::BytesOf(Document document) {
  if (document == Document::kSettings) {
    VersionOf(document);
    return EncodeText(settings_text_);
  }
  if (document == Document::kUsage)
    return UsageFileBytes(state_.usage, state_.lists.items.list.names);
  return ListFileBytes(ListOf(state_, document), KindOf(document));
}

void DataSaver::Hand(Document document, std::uint64_t version) {
  SaveWorker::Bytes bytes;
  if (document == Document::kSettings) {
    bytes = [text = settings_text_] { return EncodeText(text); };
  } else if (document == Document::kUsage) {
    bytes = [usage = state_.usage, names = state_.lists.items.list.names] {
      return UsageFileBytes(usage, names);
    };
  } else {
    bytes = [file = ListOf(state_, document), kind = KindOf(document)] {
      return ListFileBytes(file, kind);
    };
  }
  worker_.Write(static_cast<int>(document), version, PathOf(document), std::move(bytes));
  tracks_[static_cast<std::size_t>(document)].handed = version;
}

void DataSaver::Tick() {
  Collect(true);
  for (Document d : kDocuments) {
    if (!Writable(d)) continue;
    Track& track = tracks_[static_cast<std::size_t>(d)];
    std::uint64_t version = VersionOf(d);
    if (version != track.on_disk && version != track.handed) Hand(d, version);
  }
}

bool DataSaver::Collect(bool say_failures) {
  bool all_written = true;
  for (const SaveWorker::Outcome& outcome : worker_.Take()) {
    auto document = static_cast<Document>(outcome.document);
    Track& track = tracks_[static_cast<std::size_t>(outcome.document)];
    WriteError error = outcome.result.error;
    if (error == WriteError::kNone) {
      track.on_disk = outcome.version;
      track.said = false;
    } else {
      all_written = false;
      if (say_failures && say && error != track.failing && !track.said) {
        say(u"无法写入 " + NameOf(document) + u"：" + ReasonOf(error) +
                u"。更改仍保留在盒子里，问题解决后会自动保存。",
            u"无法保存");
      }
      if (outcome.version == track.handed) track.handed = kNotHanded;
    }
    track.failing = error;
  }
  return all_written;
}

bool DataSaver::WriteNow(std::initializer_list<Document> documents) {
  Collect(true);
  bool all_written = true;
  for (Document d : documents) {
    if (Writable(d)) {
      Hand(d, VersionOf(d));
    } else {
      all_written = false;
    }
  }
  worker_.Wait();
  return Collect(false) && all_written;
}

std::u16string DataSaver::Reason(Document document) const {
  if (!Writable(document)) return u"启动时无法读取此文件，为免覆盖其内容而未写入";
  return ReasonOf(tracks_[static_cast<std::size_t>(document)].failing);
}

std::vector<UnsavedDocument> DataSaver::Unsaved() {
  std::vector<UnsavedDocument> unsaved;
  for (Document d :
       {Document::kItems, Document::kPlaylist, Document::kContacts, Document::kSettings}) {
    if (VersionOf(d) != tracks_[static_cast<std::size_t>(d)].on_disk) {
      unsaved.push_back({d, NameOf(d), Reason(d)});
    }
  }
  return unsaved;
}

}  // namespace velmo
