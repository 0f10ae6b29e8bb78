// Dialogs that answer from a script and record what they were asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "box/platform/dialogs.h"

namespace velmo {

class FakeDialogs final : public Dialogs {
 public:
  // Each call takes the next answer; an empty script cancels.
  std::optional<std::u16string> OpenFile(const OpenFileRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::u16string answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void ShowError(const std::u16string& text, const std::u16string& title) override {
    errors.push_back(title + u": " + text);
  }

  bool Ask(const std::u16string& text, const std::u16string& title) override {
    questions.push_back(title + u": " + text);
    return yes;
  }

  std::deque<std::u16string> answers;
  bool yes = true;                        // the answer to every question
  std::vector<std::u16string> questions;  // "title: text" of each question asked
  std::vector<std::u16string> errors;     // "title: text" of each error box shown
  std::vector<OpenFileRequest> requests;
};

}  // namespace velmo
