// Boxes of the command-line front end: a message is printed to standard error
// as "TITLE: TEXT" (or "TEXT" when the box has no title), an instruction box is
// answered OK (or asked at the terminal with --ask), and file and input boxes
// are answered by the command's options through the answer functions.
#pragma once

#include <cstdio>
#include <functional>

#include "platform/dialogs.h"

namespace velkar {

class ConsoleDialogs : public Dialogs {
  public:
    using FileAnswer = std::function<FileDialogResult(const FileDialogRequest&)>;
    using InputAnswer = std::function<std::optional<std::string>(
        const std::string& prompt, const std::string& title, const std::string& defaultText)>;

    explicit ConsoleDialogs(std::FILE* out = stderr) : out_(out) {}
    ~ConsoleDialogs() override { releaseHeldMessages(); }
    ConsoleDialogs(const ConsoleDialogs&) = delete;
    ConsoleDialogs& operator=(const ConsoleDialogs&) = delete;
    MessageResult message(const MessageRequest& request) override;
    FileDialogResult chooseFile(const FileDialogRequest& request) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;

    void setFileAnswer(FileAnswer f) { fileAnswer_ = std::move(f); }
    void setInputAnswer(InputAnswer f) { inputAnswer_ = std::move(f); }
    // Ask at the terminal before an OK/Cancel box is accepted.
    void setAskAtTerminal(bool ask) { ask_ = ask; }
    // From now on plain notices (OK-only boxes that are no error) wait: the
    // command line prints a run's end message only once its result is in
    // place.  An error box or a question prints the waiting ones first, so
    // the order never changes; release prints them, drop forgets them.
    void holdMessages() { hold_ = true; }
    void releaseHeldMessages();
    void dropHeldMessages();

    // The line printed for a box (UTF-8).
    static std::string formatMessage(const MessageRequest& request);
    // How many boxes were printed so far.
    int printed() const { return printed_; }

  private:
    std::FILE* out_;
    FileAnswer fileAnswer_;
    InputAnswer inputAnswer_;
    bool ask_ = false;
    bool hold_ = false;
    std::string held_;
    int printed_ = 0;
};

}  // namespace velkar
