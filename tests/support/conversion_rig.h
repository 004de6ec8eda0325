// The conversion window's core with scripted boxes, a result table and a
// private program folder: what the conversion, survey and units tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "conversion/record.h"
#include "conversion/window.h"
#include "golden.h"
#include "platform/event_pump.h"
#include "platform/result_table.h"
#include "scripted_dialogs.h"

namespace velkar::test {

struct ConversionRig : ::testing::Test {
    explicit ConversionRig(const std::string& name) : dir(tempDir(name)) {}

    ScriptedDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    std::filesystem::path dir;
    conversion::ConversionWindow w{dialogs, pump, table, dir / "prog"};
    conversion::ConversionState state;
};

}  // namespace velkar::test
