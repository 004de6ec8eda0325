// Dialogs answered from a script.  Every box shown is recorded (kind, title,
// text, buttons); a box for which no answer was queued fails the test.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace velkar::test {

struct ShownBox {
    enum class Kind { Message, File, Input } kind;
    std::string title;
    std::string text;  // message text, or the input box prompt
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    FileDialogRequest file;  // for file dialogs
};

class ScriptedDialogs : public Dialogs {
  public:
    // Messages with only OK are answered OK without a script; OK/Cancel boxes
    // always need an answer.
    void answerMessage(MessageResult r) { messageAnswers_.push_back(r); }
    void answerFile(std::filesystem::path p, int filterIndex = 1) {
        fileAnswers_.push_back({std::move(p), filterIndex});
    }
    void answerInput(std::optional<std::string> text) { inputAnswers_.push_back(std::move(text)); }

    MessageResult message(const MessageRequest& request) override;
    FileDialogResult chooseFile(const FileDialogRequest& request) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<ShownBox> messages() const;  // only the message boxes
    // Texts of the message boxes as "TITLE: TEXT" (UTF-8), for readable assertions.
    std::vector<std::string> messageLines() const;
    bool allAnswersUsed() const {
        return messageAnswers_.empty() && fileAnswers_.empty() && inputAnswers_.empty();
    }
    void clearShown() { shown_.clear(); }

  private:
    std::deque<MessageResult> messageAnswers_;
    std::deque<FileDialogResult> fileAnswers_;
    std::deque<std::optional<std::string>> inputAnswers_;
    std::vector<ShownBox> shown_;
};

}  // namespace velkar::test
