// The boxes the program shows the user: message box, file dialog, input box.
// All texts are Windows-1254.  The window front end shows real dialogs, the
// command-line front end prints and answers from its options, and the tests
// answer from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velkar {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

struct MessageRequest {
    std::string text;   // CR (13) separates the lines of a box
    std::string title;  // empty: the program's default title
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Flags of the common file dialog.
inline constexpr int kAskBeforeOverwrite = 2;
inline constexpr int kFileMustExist = 4096;

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    std::string title;
    // "description|pattern|description|pattern|" pairs; empty: all files.
    std::string filter;
    int filterIndex = 1;  // 1-based pair shown first
    int flags = 0;
    std::filesystem::path initialFolder;
    std::filesystem::path fileName;  // offered name (may be a full path)
    FileDialogMode mode = FileDialogMode::Open;
};

struct FileDialogResult {
    std::filesystem::path path;  // empty after a cancel
    int filterIndex = 1;         // the pair chosen (1-based)
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageResult message(const MessageRequest& request) = 0;
    virtual FileDialogResult chooseFile(const FileDialogRequest& request) = 0;
    // The text typed; std::nullopt when the box was cancelled.
    virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) = 0;

    // Shorthands for the usual boxes.
    void info(const std::string& text, const std::string& title = {},
              MessageIcon icon = MessageIcon::None) {
        message({text, title, icon, MessageButtons::Ok});
    }
    void error(const std::string& text);  // title "Hata Mesajı", critical icon
};

// The title of every warning box.
std::string errorTitle();

// Before a file is replaced: when it exists, asks "PATH zaten var.\rDeğiştirmek
// istiyor musunuz?" (OK / Cancel) under title.  true when it may be written.
bool confirmReplace(Dialogs& dialogs, const std::filesystem::path& file, const std::string& title);

// "Kayıt edildi: PATH", PATH the full path of a file just written.
std::string savedMessage(const std::filesystem::path& file);

}  // namespace velkar
