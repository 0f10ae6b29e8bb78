// The notes page: one rich-text note that lives while the box runs, its first characters shown
// on the notes tile while the pointer is over it.
#pragma once

#include "box/shell/main_window.h"

namespace velmo {

class NotesPage {
 public:
  explicit NotesPage(MainWindow& window);

  // The preview frame over the tile's preview label, and an empty note.
  void FinishStartup();

 private:
  void ShowPreview();

  MainWindow& window_;
  Form& form_;
  Control* note_ = nullptr;     // RTB1
  Control* preview_ = nullptr;  // Text3
  Control* frame_ = nullptr;    // Shape1
};

}  // namespace velmo
