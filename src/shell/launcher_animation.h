// The two launchers of the main window carry arrows that run across their
// captions: every 100 ms the right-moving arrows move one place to the right
// and the left-moving ones one place to the left.
#pragma once

#include <string>

namespace velkar::shell {

class LauncherAnimation {
  public:
    static constexpr const char* kDownloadText = "Cihazdan Bilgisayara Aktarma";
    static constexpr const char* kUploadText = "Bilgisayardan Cihaza Aktarma";

    // One timer tick: rotates both arrow texts.
    void tick();
    std::string downloadCaption() const { return right_ + kDownloadText + right_; }
    std::string uploadCaption() const { return left_ + kUploadText + left_; }
    const std::string& rightArrows() const { return right_; }
    const std::string& leftArrows() const { return left_; }

  private:
    std::string right_ = "> >          ";  // 13 characters, repeats every 13 ticks
    std::string left_ = "        < <";     // 11 characters, repeats every 11 ticks
};

}  // namespace velkar::shell
