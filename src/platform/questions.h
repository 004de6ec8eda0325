// What a run may need to ask the user, as typed questions.  The window answers
// them with its dialog boxes (DialogQuestions), velkar-cli from its options and
// the tests from a script; none of them ever reads a message text to know what
// is being asked.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace velkar {

enum class Axis { X, Y, Z };

class Questions {
  public:
    virtual ~Questions() = default;
    // One coordinate of a station or backsight found nowhere else (text as typed).
    // std::nullopt: no answer can be had, the run must stop.
    virtual std::optional<std::string> pointCoordinate(const std::string& pointName, Axis axis) = 0;
    // The file of known points (name, Y, X, Z a line) for a coordinate run, asked
    // through the open box of request; an empty path: none.
    virtual std::filesystem::path polygonFile(const FileDialogRequest& request) = 0;
    // A yes/no question (OK/Cancel); true: go on.
    virtual bool confirm(const std::string& text, const std::string& title) = 0;
};

// The questions as the window asks them: an input box "NAME için X
// Koordinatını giriniz" (title "Koordinat Girişi", default 0.0000; a cancelled
// box answers an empty text), the file box, an OK/Cancel question box.
class DialogQuestions : public Questions {
  public:
    explicit DialogQuestions(Dialogs& dialogs) : dialogs_(dialogs) {}
    std::optional<std::string> pointCoordinate(const std::string& pointName, Axis axis) override;
    std::filesystem::path polygonFile(const FileDialogRequest& request) override;
    bool confirm(const std::string& text, const std::string& title) override;

  private:
    Dialogs& dialogs_;
};

const char* axisName(Axis axis);  // "X", "Y", "Z"

}  // namespace velkar
