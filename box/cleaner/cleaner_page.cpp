#include "box/cleaner/cleaner_page.h"

#include <unordered_set>
#include <utility>

#include "box/cleaner/folder_scan.h"
#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr int kPumpMs = 40;
constexpr int kDeletionTickMs = 100;
constexpr int kProgressCopyMs = 100;
constexpr std::size_t kRecycleBatch = 200;
constexpr std::size_t kEventsPerTick = 300;
constexpr Color kRed = Rgb(255, 0, 0);

// The scan of every step in order; a file that two steps find is reported once. Consecutive steps
// over the same folder share one walk (the powerful clean searches the system drive for six
// patterns): the first step's files are reported as they come, the others' after the walk, each
// step in turn, so the order is that of one walk per step.
bool ScanSteps(FileSystem& fs, const std::vector<ScanStep>& steps, const CleanPlaces& places,
               CleanWorker::Context& context) {
  std::unordered_set<std::u16string> seen;
  auto stop = [&context] { return context.stopping(); };
  auto report = [&](FoundFile file) {
    std::u16string key = file.path;
    for (char16_t& c : key) c = c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
    if (!seen.insert(std::move(key)).second) return;
    CleanEvent found;
    found.kind = CleanEvent::Kind::kFound;
    for (const std::u16string& folder : places.kept) found.kept |= IsInFolder(file.path, folder);
    found.bytes = file.bytes;
    found.path = std::move(file.path);
    context.Post(std::move(found));
  };
  auto post = [&](CleanEvent::Kind kind, std::size_t step, bool ran) {
    CleanEvent e;
    e.kind = kind;
    e.step = step;
    e.ran = ran;
    context.Post(std::move(e));
  };
  for (std::size_t first = 0, end = 0; first < steps.size() && !stop(); first = end) {
    const ScanStep& step = steps[first];
    std::vector<std::u16string> patterns;
    for (end = first; end < steps.size() && steps[end].folder == step.folder &&
                      steps[end].only_if_exists == step.only_if_exists;
         ++end) {
      patterns.push_back(steps[end].pattern);
    }
    bool ran = !step.only_if_exists ||
               (!step.folder.empty() && fs.ListFolder(step.folder, [](const FolderEntry&) {}));
    post(CleanEvent::Kind::kStepStarted, first, ran);
    std::vector<std::vector<FoundFile>> later(patterns.size());
    if (ran && !step.folder.empty()) {
      ScanFolder(
          fs, step.folder, patterns, places.skipped,
          [&](FoundFile file) {
            if (file.pattern == 0) {
              report(std::move(file));
            } else {
              later[file.pattern].push_back(std::move(file));
            }
          },
          stop);
    }
    post(CleanEvent::Kind::kStepDone, first, ran);
    for (std::size_t i = 1; i < patterns.size() && !stop(); ++i) {
      post(CleanEvent::Kind::kStepStarted, first + i, ran);
      for (FoundFile& file : later[i]) report(std::move(file));
      post(CleanEvent::Kind::kStepDone, first + i, ran);
    }
  }
  return !stop();
}

// Every entry in order, a batch at a time: those the clean may remove go to the Recycle Bin, the
// kept ones are reported as left where they are.
bool RecycleAll(RecycleBin& bin, const std::vector<std::u16string>& paths,
                const std::vector<bool>& kept, CleanWorker::Context& context) {
  for (std::size_t first = 0; first < paths.size(); first += kRecycleBatch) {
    if (context.stopping()) return false;
    std::size_t end = std::min(paths.size(), first + kRecycleBatch);
    std::vector<std::u16string> batch;
    for (std::size_t i = first; i < end; ++i) {
      if (!kept[i]) batch.push_back(paths[i]);
    }
    std::vector<RemoveResult> results;
    if (!batch.empty()) results = bin.Recycle(batch);
    results.resize(batch.size(), RemoveResult::kLocked);
    std::size_t next = 0;
    for (std::size_t i = first; i < end; ++i) {
      CleanEvent removed;
      removed.kind = CleanEvent::Kind::kRemoved;
      removed.index = i;
      removed.kept = kept[i];
      if (!kept[i]) removed.result = results[next++];
      context.Post(removed);
    }
  }
  return true;
}

const char16_t* Reason(RemoveResult result) {
  switch (result) {
    case RemoveResult::kReadOnly:
      return u"只读文件";
    case RemoveResult::kLocked:
      return u"文件正在使用或无权删除";
    case RemoveResult::kNoRecycleBin:
      return u"该驱动器没有回收站";
    case RemoveResult::kNotRecyclable:
      return u"回收站无法保留此文件";
    case RemoveResult::kPathTooLong:
      return u"路径过长，无法放入回收站";
    default:
      return u"文件已不存在";
  }
}

}  // namespace

CleanerPage::CleanerPage(MainWindow& window, BoxState& state, Services& services)
    : window_(window), form_(window.form()), state_(state), services_(services) {
  BuildPage();
  BuildPowerfulPanel();
  pump_ = &form_.AddTimer("TimerCleanWork", kPumpMs, [this] { Pump(); });
  wait_ = &form_.AddTimer("TimerCleanWait", 1000, [this] {
    wait_->Stop();
    if (auto then = std::exchange(after_wait_, nullptr)) then();
  });
  deletion_tick_ = &form_.AddTimer("Timer25", kDeletionTickMs, [this] { DeletionTick(); });
  progress_copy_ = &form_.AddTimer("Timer38", kProgressCopyMs,
                                   [this] { powerful_bar_->SetValue(powerful_progress_); });
}

void CleanerPage::BuildPage() {
  Page& page = window_.page(PageId::kCleaner);
  Control& panel = *page.panel;
  start_ = &AddHoverButton(form_, panel, "Picture56", 4035, 195, window_.images().image_list1, 41,
                           u"开始清理");
  start_->on_click = [this](const MouseEvent&) { Start(); };
  bar_ = std::make_unique<ProgressBar>(form_, panel, "sProgressBar1", 180, 930, 4215, 255,
                                       services_.dialogs);
  bar_->SetValue(0);
  bar_->SetShowBorder(true);
  bar_->SetStickColor(Rgb(0, 255, 0));
  bar_->panel().access.name = page.title->text;
  pane_ = &AddBox(form_, panel, ControlKind::kRichText, "Text5", 315, 1455, 3945, 3840);
  pane_->multi_line = true;
  pane_->read_only = true;
  pane_->scroll_bar = true;
  pane_->font.size_tenths = 85;
  // Opening the page empties its pane; the title turns red while the powerful clean is on.
  page.after_in = [this, after_in = std::move(page.after_in)] {
    if (after_in) after_in();
    if (phase_ == Phase::kIdle) pane_->text.clear();
  };
}

void CleanerPage::BuildPowerfulPanel() {
  powerful_ = &form_.Add(form_.root(), ControlKind::kPanel, "Picture79");
  Place(*powerful_, 0, 0, 4575, 5535);
  powerful_->back_color = palette::kCard;
  powerful_->visible = false;
  Control& title = form_.Add(*powerful_, ControlKind::kLabel, "Label26");
  Place(title, 360, 120, 2400, 420);
  title.text = u"强力清理";
  title.font = {u"微软雅黑", 130, true};
  title.fore_color = kRed;
  title.access.role = AccessInfo::Role::kTitle;
  status_ = &AddLabel(form_, *powerful_, "Label47", u"状态信息");
  Place(*status_, 120, 600, 4335, 330);
  data_ = &AddLabel(form_, *powerful_, "Label48", u"数据信息");
  Place(*data_, 120, 960, 4335, 330);
  powerful_bar_ = std::make_unique<ProgressBar>(form_, *powerful_, "sProgressBar2", 120, 1440, 4275,
                                                255, services_.dialogs);
  powerful_bar_->SetValue(0);
  powerful_bar_->SetShowBorder(true);
  powerful_bar_->SetStickColor(kRed);
  powerful_bar_->panel().access.name = title.text;
  powerful_pane_ = &form_.Add(*powerful_, ControlKind::kTextBox, "Text11");
  Place(*powerful_pane_, 120, 1800, 4335, 3615);
  powerful_pane_->multi_line = true;
  powerful_pane_->read_only = true;
  powerful_pane_->scroll_bar = true;
  powerful_pane_->font = {u"微软雅黑", 85, false};
  powerful_pane_->back_color = palette::kCard;
  const ImageList& images = window_.images().image_list1;
  exit_ = &AddHoverButton(form_, *powerful_, "Picture81", 0, 120, images, 29, u"退出");
  exit_->on_click = [this](const MouseEvent&) { powerful_->visible = false; };
  exit_->visible = false;
  restart_ = &AddHoverButton(form_, *powerful_, "Picture80", 4080, 120, images, 43, u"重启");
  restart_->on_double_click = [this](const MouseEvent&) {
    if (restart) restart();
  };
  restart_->visible = false;
}

void CleanerPage::FinishStartup() {
  if (state_.settings.Get(Setting::kAutoCleanAfterRunning)) StartNormal(false);
}

void CleanerPage::Start() {
  if (phase_ != Phase::kIdle) return;
  if (state_.settings.Get(Setting::kPowerfulCleaningMode)) {
    StartPowerful();
  } else {
    StartNormal(state_.settings.Get(Setting::kClearRecycledWhenCleanerWork));
  }
}

void CleanerPage::StartNormal(bool empty_bin) {
  type_ = CleanType::kNormal;
  empty_bin_ = empty_bin;
  pane_->text.clear();
  start_->visible = false;
  Scan();
}

void CleanerPage::StartPowerful() {
  type_ = CleanType::kPowerful;
  empty_bin_ = false;
  powerful_->visible = true;
  powerful_->left = powerful_->top = 0;
  form_.BringToFront(*powerful_);
  exit_->visible = restart_->visible = false;
  found_.clear();
  powerful_pane_->text.clear();
  powerful_bar_->SetValue(0);
  status_->text = u"准备强力清理任务...";
  data_->text.clear();
  powerful_progress_ = 0;
  progress_copy_->Start();
  bytes_ = 0;
  powerful_count_ = 0;
  phase_ = Phase::kWaiting;
  After(2000, [this] { Scan(); });
}

void CleanerPage::Scan() {
  std::vector<std::u16string> drives = services_.processes.LogicalDrives();
  CleanPlaces places = FindCleanPlaces(services_.known_folders, state_.program_folder, drives);
  if (type_ == CleanType::kNormal) {
    // The normal clean's targets lie in the Windows and program files folders themselves.
    places.kept.clear();
    steps_ = NormalCleanSteps(places, drives);
  } else {
    steps_ = PowerfulCleanSteps(places, drives);
  }
  found_.clear();
  done_ = removed_ = 0;
  bytes_ = 0;
  phase_ = Phase::kScanning;
  Run([&fs = services_.files, steps = steps_, places](CleanWorker::Context& context) {
    return ScanSteps(fs, steps, places, context);
  });
}

void CleanerPage::Run(std::function<bool(CleanWorker::Context&)> job) {
  worker_.Start(std::move(job));
  pump_->Start();
}

void CleanerPage::After(int ms, std::function<void()> then) {
  after_wait_ = std::move(then);
  wait_->interval_ms = ms;
  wait_->Start();
}

void CleanerPage::WriteLog() {
  phase_ = Phase::kLogging;
  std::vector<std::u16string> paths;
  paths.reserve(found_.size());
  for (const Entry& e : found_) paths.push_back(e.path);
  std::int64_t count =
      type_ == CleanType::kNormal ? static_cast<std::int64_t>(found_.size()) : powerful_count_;
  std::u16string path =
      JoinPath(JoinPath(state_.program_folder, u"CleanLogs"), CleanLogName(services_.clock.Now()));
  Run([&fs = services_.files, type = type_, now = services_.clock.Now(), paths = std::move(paths),
       size = Megabytes(bytes_), count, path](CleanWorker::Context&) {
    return static_cast<bool>(
        fs.WriteFileAtomic(path, EncodeText(CleanLogText(type, now, paths, size, count))));
  });
}

void CleanerPage::Remove() {
  phase_ = Phase::kRemoving;
  std::vector<std::u16string> paths;
  std::vector<bool> kept;
  for (const Entry& e : found_) {
    paths.push_back(e.path);
    kept.push_back(e.kept);
  }
  Run([&bin = services_.recycle_bin, paths = std::move(paths), kept = std::move(kept)](
          CleanWorker::Context& context) { return RecycleAll(bin, paths, kept, context); });
}

void CleanerPage::Pump() {
  // A tick shows a few hundred lines at most: the window paints between two of them.
  for (const CleanEvent& e : worker_.Take(kEventsPerTick)) Handle(e);
}

void CleanerPage::Handle(const CleanEvent& e) {
  bool normal = type_ == CleanType::kNormal;
  switch (e.kind) {
    case CleanEvent::Kind::kStepStarted:
      if (!normal && !steps_[e.step].status.empty()) status_->text = steps_[e.step].status;
      break;
    case CleanEvent::Kind::kFound:
      Found(e);
      break;
    case CleanEvent::Kind::kStepDone:
      if (e.ran && steps_[e.step].progress) {
        if (normal) {
          bar_->SetValue(*steps_[e.step].progress);
        } else {
          powerful_progress_ = *steps_[e.step].progress;
        }
      }
      break;
    case CleanEvent::Kind::kRemoved:
      Removed(e);
      break;
    case CleanEvent::Kind::kFinished:
      Finished(e);
      break;
  }
}

void CleanerPage::Found(const CleanEvent& e) {
  found_.push_back({e.path, e.bytes, e.kept});
  if (type_ == CleanType::kNormal) {
    Append(*pane_, u"发现： " + e.path);
    bytes_ += e.bytes;
    return;
  }
  Append(*powerful_pane_, u"已发现：" + e.path);
  if (!e.kept) bytes_ += e.bytes;
  ++powerful_count_;
  data_->text = u"已发现：" + FormatDecimals(Megabytes(bytes_), 3) + u"MB";
}

void CleanerPage::Removed(const CleanEvent& e) {
  const Entry& entry = found_[e.index];
  done_ = e.index + 1;
  bool normal = type_ == CleanType::kNormal;
  if (e.kept) {
    Append(*powerful_pane_, u"已保留（系统文件夹）：" + entry.path);
    return;
  }
  switch (e.result) {
    case RemoveResult::kRemoved:
      ++removed_;
      bytes_ -= std::min(bytes_, entry.bytes);
      if (normal) {
        Append(*pane_, u"删除： " + entry.path + u" - " +
                           FormatDecimals(static_cast<float>(entry.bytes / 1024.0), 1) + u"KB");
      } else {
        data_->text = u"剩余：" + NumberText(Megabytes(bytes_)) + u"MB";
        Append(*powerful_pane_, u"已清理：" + entry.path);
      }
      break;
    case RemoveResult::kGone:
      // Nothing is there to count any more.
      bytes_ -= std::min(bytes_, entry.bytes);
      if (normal) Append(*pane_, u"未删除： " + entry.path + u" - " + Reason(e.result));
      break;
    default:
      Append(normal ? *pane_ : *powerful_pane_,
             (normal ? u"未删除： " : u"未能清理：") + entry.path + u" - " + Reason(e.result));
  }
}

void CleanerPage::Finished(const CleanEvent& e) {
  bool normal = type_ == CleanType::kNormal;
  // A job stopped by the closing box: nothing follows. A log that could not be written and a
  // Recycle Bin that kept a file do not stop the clean.
  if (!e.ok && phase_ != Phase::kLogging && phase_ != Phase::kEmptying) {
    phase_ = Phase::kIdle;
    pump_->Stop();
    return;
  }
  switch (phase_) {
    case Phase::kScanning:
      phase_ = Phase::kWaiting;
      if (normal) {
        After(3000, [this] {
          deletion_tick_->Start();
          WriteLog();
        });
      } else {
        After(500, [this] {
          status_->text = u"准备写入扫描日志...";
          if (found_.empty()) {
            EndPowerful();
          } else {
            WriteLog();
          }
        });
      }
      break;
    case Phase::kLogging:
      if (!e.ok) {
        Append(normal ? *pane_ : *powerful_pane_, u"无法写入清理日志，清理照常进行。");
      }
      if (normal && empty_bin_) {
        // Before this run's files go there: emptied afterwards, the bin would destroy them.
        phase_ = Phase::kEmptying;
        Run([&bin = services_.recycle_bin](CleanWorker::Context&) { return bin.Empty(); });
      } else if (normal) {
        Remove();
      } else {
        phase_ = Phase::kWaiting;
        After(500, [this] {
          status_->text = u"准备清理文件...";
          data_->text = u"剩余：" + NumberText(Megabytes(bytes_)) + u"MB";
          Remove();
        });
      }
      break;
    case Phase::kEmptying:
      Remove();
      break;
    case Phase::kRemoving:
      if (normal) {
        bar_->SetValue(0);
        window_.ShowMessage(
            u"清理已完成。本次共清理" + Utf8ToUtf16(std::to_string(removed_)) + u"个项目。",
            u"文件清理");
        phase_ = Phase::kIdle;
      } else {
        EndPowerful();
      }
      break;
    default:
      phase_ = Phase::kIdle;
  }
  if (phase_ == Phase::kIdle || phase_ == Phase::kWaiting) pump_->Stop();
}

void CleanerPage::EndPowerful() {
  exit_->visible = restart_->visible = true;
  phase_ = Phase::kIdle;
}

void CleanerPage::DeletionTick() {
  std::size_t left = found_.size() - done_;
  if (left > 0) {
    bar_->SetValue(static_cast<float>(static_cast<double>(left) / found_.size() * 100));
    window_.page(PageId::kCleaner).title->text =
        u"文件清理 - " + NumberText(Megabytes(bytes_)) + u"MB";
    return;
  }
  if (phase_ != Phase::kIdle) return;  // the log, or the emptying of the Recycle Bin, is not done
  deletion_tick_->Stop();
  window_.page(PageId::kCleaner).title->text = u"文件清理";
  start_->visible = true;
}

}  // namespace velmo
