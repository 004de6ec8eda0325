// Real dialog boxes for the window front end.
#pragma once

#include <QWidget>

#include "platform/dialogs.h"
#include "platform/process_launcher.h"

namespace velkar {

class WidgetDialogs : public Dialogs {
  public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    MessageResult message(const MessageRequest& request) override;
    FileDialogResult chooseFile(const FileDialogRequest& request) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;
    void setParent(QWidget* parent) { parent_ = parent; }

  private:
    QWidget* parent_;
};

// Qt file dialog filter from the "description|pattern|..." form.
QString qtFilter(const std::string& filter);

class DesktopProcessLauncher : public ProcessLauncher {
  public:
    bool startTextEditor(std::string& error) override;
    bool openWebPage(const std::string& url, std::string& error) override;
};

// The default title of the program's boxes.
QString defaultBoxTitle();

}  // namespace velkar
