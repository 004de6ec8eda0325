// Golden-file comparison: the whole output, byte for byte.  On a difference the
// first differing line is reported and the actual output is kept as
// $TMPDIR/velkar-actual/NAME.actual (the tests never write into the source tree).
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace velkar::test {

// The folder of the test data (tests/data in the source tree).
std::filesystem::path dataDir();
// A fresh temporary folder, removed at the end of the test program.
std::filesystem::path tempDir(const std::string& name);

::testing::AssertionResult matchesGolden(const std::string& actual,
                                         const std::filesystem::path& goldenFile);
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);

// Names the cases of a parameterised test by their `name` member.
struct ByName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return info.param.name;
    }
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace velkar::test
