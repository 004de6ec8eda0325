#include "platform/questions.h"

#include "platform/cp1254.h"

namespace velkar {

const char* axisName(Axis axis) {
    switch (axis) {
        case Axis::X:
            return "X";
        case Axis::Y:
            return "Y";
        case Axis::Z:
            return "Z";
    }
    return "?";
}

std::optional<std::string> DialogQuestions::pointCoordinate(const std::string& pointName,
                                                            Axis axis) {
    const auto answer = dialogs_.input(
        pointName + cp1254(" için ") + axisName(axis) + cp1254(" Koordinatını giriniz"),
        cp1254("Koordinat Girişi"), "0.0000");
    return answer.value_or("");
}

std::filesystem::path DialogQuestions::polygonFile(const FileDialogRequest& request) {
    return dialogs_.chooseFile(request).path;
}

bool DialogQuestions::confirm(const std::string& text, const std::string& title) {
    return dialogs_.message({text, title, MessageIcon::Question, MessageButtons::OkCancel}) ==
           MessageResult::Ok;
}

}  // namespace velkar
