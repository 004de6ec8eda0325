// A pseudo-terminal pair for end-to-end transfer tests: the program opens the
// slave by its path as if it were a serial port, the test plays the instrument
// on the master side.
#pragma once

#include <string>

namespace velkar::test {

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }
    // Writes all bytes to the master side.
    bool send(const std::string& bytes);

  private:
    int master_ = -1;
    int slave_ = -1;  // kept open so the pair survives the program closing its side
    std::string slavePath_;
};

}  // namespace velkar::test
