// What each clean searches, in which order, and what the progress bar says after each step: the
// normal clean's targets and the powerful clean's stages over this system's real folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "box/platform/known_folders.h"

namespace velmo {

struct ScanStep {
  std::u16string folder;  // empty: the system names no such folder, nothing is searched
  std::u16string pattern;
  // Searched only when the folder exists, and the progress is then set only if it does.
  bool only_if_exists = false;
  std::optional<float> progress;  // the bar's value after the step, if it changes
  std::u16string status;          // the powerful panel's status line before the step, if any
};

// The folders of this system that the cleans search, and those they must respect.
struct CleanPlaces {
  std::u16string system_drive;  // "C:\"
  std::u16string windows_temp;
  std::u16string program_files_x86;  // empty when it is the same as program_files
  std::u16string program_files;
  std::u16string recent, temp, cookies, local_app_data, internet_cache;
  // Never entered by any scan: the box's own folder (its settings' .bak copies live there).
  std::vector<std::u16string> skipped;
  // The powerful clean lists what it finds there but leaves it in place: the system's folders,
  // on every drive.
  std::vector<std::u16string> kept;
};

CleanPlaces FindCleanPlaces(KnownFolders& known, const std::u16string& program_folder,
                            const std::vector<std::u16string>& drives);

std::vector<ScanStep> NormalCleanSteps(const CleanPlaces& places,
                                       const std::vector<std::u16string>& drives);
std::vector<ScanStep> PowerfulCleanSteps(const CleanPlaces& places,
                                         const std::vector<std::u16string>& drives);

}  // namespace velmo
