#include "shell/launcher_animation.h"

namespace velkar::shell {

void LauncherAnimation::tick() {
    // Right-moving: the last character moves to the front.
    right_ = right_.back() + right_.substr(0, right_.size() - 1);
    // Left-moving: the first character moves to the end.
    left_ = left_.substr(1) + left_.front();
}

}  // namespace velkar::shell
