// A conversion window with scripted boxes for the levelling tests.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "golden.h"
#include "levelling/levelling.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "scripted_dialogs.h"

namespace velkar::levelling::test {

namespace fs = std::filesystem;
using velkar::test::matchesGolden;
using velkar::test::readBytes;
using velkar::test::writeBytes;

struct LevellingFixture : ::testing::Test {
    velkar::test::ScriptedDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    fs::path dir =
        velkar::test::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    conversion::ConversionWindow w{dialogs, pump, table, dir / "prog"};
    PlainDlSettings settings;
    LevellingState state;
    int runs = 0;

    LevellingFixture() { settings.values.tolerance = "0.3"; }

    static fs::path data(const std::string& name) {
        return velkar::test::dataDir() / "levelling" / name;
    }

    // A raw file of the test data, copied beside the test (its .HTA lands there).
    fs::path raw(const std::string& name) {
        const fs::path p = dir / name;
        // Removed first: MinGW's copy_file refuses overwrite_existing on Windows.
        fs::remove(p);
        fs::copy_file(data(name), p);
        return p;
    }
    // A raw file written from lines (CR LF after each).
    fs::path rawLines(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        writeBytes(dir / name, bytes);
        return dir / name;
    }

    // One action of the conversion window: the raw file is chosen, the result
    // saved under saveAs; returns the saved bytes.
    std::string run(const std::string& form, const fs::path& rawFile, std::string saveAs = {}) {
        if (saveAs.empty()) saveAs = "out" + std::to_string(++runs) + ".txt";
        w.setOutput(form);
        w.dialog.title = cp1254("Dosya Seçiniz");
        dialogs.answerFile(rawFile);
        dialogs.answerFile(dir / saveAs);
        const LevellingRunResult r = levellingAction(w, state, settings);
        EXPECT_FALSE(r.failed);
        if (r.saved.empty() || r.saved[0].empty()) return {};
        return readBytes(r.saved[0]);
    }

    std::string report(const std::string& form, const std::string& rawName) {
        return run(form, raw(rawName));
    }
};

}  // namespace velkar::levelling::test
