// velkar-cli as a user runs it: one named case per line of the table, each in
// a fresh folder holding copies of the inputs.  The outputs themselves are
// checked through the library; here one success per command shows the options
// reach it, and the error cases show how the command says no.
#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "golden.h"
#include "run_process.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

std::string filled(std::string text, const std::string& folder) {
    for (size_t p; (p = text.find("{T}")) != std::string::npos;) text.replace(p, 3, folder);
    return text;
}

struct Case {
    const char* name;
    const char* command;  // the arguments; '...' holds blanks, {T} is the case's folder
    int exitCode;
    const char* err;          // a part that standard error must hold
    const char* golden = "";  // expected output under tests/data
    const char* output = "";  // where it goes: "stdout" or a file in {T}
};

const char* const kSamples[] = {"gts700_ornek.txt", "gts210_koordinat_ham.txt", "poligon.txt"};
const char* const kData[] = {"levelling/line1.raw", "levelling/line1r.raw",
                             "levelling/book.raw",  "export/olcu.txt",
                             "export/yxz.txt",      "survey/unnamed_station.raw"};

// clang-format off
const Case kCases[] = {
    {"usage", "", 2, "usage: velkar-cli COMMAND"},
    {"version", "--version", 0, "", "", ""},
    {"unknown_command", "frobnicate", 2, "the commands are: convert level dxf plot xls gts720 download"},
    {"ports", "ports", 0, ""},
    {"ports_takes_no_arguments", "ports extra", 2, "takes no arguments"},
    {"help_of_a_command", "level --help", 0, "", "", ""},

    {"convert_to_stdout", "convert '--instrument=GTS-600 / 700' --output=YDE-EGHAS {T}/gts700_ornek.txt",
     0, "", "conversion/gts700_yde_eghas.gold", "stdout"},
    {"convert_unknown_instrument", "convert --instrument DL-100 --output XYZ {T}/gts700_ornek.txt",
     2, "unknown instrument \"DL-100\"; the instrument names are: \"GTS-210 / 220 / 6\""},
    {"convert_unknown_output", "convert --instrument 'GTS-600 / 700' --output xyz {T}/gts700_ornek.txt",
     2, "the output names are: \"XYZ\", \"YXZ\""},
    {"convert_without_raw_file", "convert --instrument 'GTS-600 / 700' --output XYZ",
     2, "--instrument, --output and RAWFILE are needed"},
    {"convert_unknown_option", "convert --instrument 'GTS-600 / 700' --output XYZ --bogus {T}/gts700_ornek.txt",
     2, "unknown option --bogus"},
    {"convert_missing_raw_file", "convert --instrument 'GTS-600 / 700' --output XYZ {T}/yok.txt -o {T}/out.txt",
     1, "{T}/yok.txt"},
    {"convert_unwritable_output", "convert --instrument 'GTS-600 / 700' --output XYZ {T}/gts700_ornek.txt -o {T}/yok/x.txt",
     1, "velkar-cli convert: {T}/yok/x.txt:"},
    {"convert_never_replaces_its_input",
     "convert --instrument 'GTS-600 / 700' --output XYZ {T}/gts700_ornek.txt -o {T}/gts700_ornek.txt",
     1, "{T}/gts700_ornek.txt is the input; it is never replaced"},
    {"convert_coordinates_from_polygon",
     "convert --instrument 'GTS-210 / 220 / 6' --output KOORDINAT --polygon {T}/poligon.txt {T}/gts210_koordinat_ham.txt -o {T}/out.txt",
     0, "", "survey/gts210_koordinat.gold", "out.txt"},
    {"convert_coordinates_from_points",
     "convert --instrument 'GTS-210 / 220 / 6' --output KOORDINAT --point S1=1000,1000,100 --point=B1=1100,1100,101 {T}/gts210_koordinat_ham.txt",
     0, "", "survey/gts210_koordinat_points.gold", "stdout"},
    {"convert_point_not_given_stops",
     "convert --instrument 'GTS-210 / 220 / 6' --output KOORDINAT --point S1=1000,1000,100 {T}/gts210_koordinat_ham.txt -o {T}/out.txt",
     1, "no coordinates for point B1 (give --point B1=X,Y,Z)", "survey/gts210_koordinat_stopped.gold", "out.txt"},
    {"convert_point_without_coordinates",
     "convert --instrument 'GTS-600 / 700' --output KOORDINAT --point S1 {T}/gts210_koordinat_ham.txt",
     2, "--point S1: give NAME=X,Y,Z"},
    {"convert_nothing_written_is_a_failure",
     "convert --instrument 'GTS-210 / 220 / 6' --output XYZ {T}/gts210_koordinat_ham.txt -o {T}/out.txt",
     1, "hiçbir satır yazılmadı"},
    {"convert_other_family_question_stops_without_yes",
     "convert --instrument 'GTS-210 / 220 / 6' --output XYZ {T}/gts700_ornek.txt -o {T}/out.txt",
     1, "give --yes to go on"},
    // The unnamed station is DURAK1; its instrument height (1.540) stays in the heights.
    {"convert_unnamed_station_answered_as_durak1",
     "convert --instrument 'GTS-210 / 220 / 6' --output KOORDINAT --point DURAK1=1000,2000,100 --point B1=1100,2000,100 {T}/unnamed_station.raw",
     0, "Adı olmayan 1 durak noktası DURAK1 adıyla yazıldı.", "survey/unnamed_station_koordinat.gold", "stdout"},

    {"level_go_and_return",
     "level {T}/line1.raw --tolerance 0.3 --elevations --start 100.0000 --end 100.4030 --return {T}/line1r.raw "
     "--return-out {T}/out2.txt --summary-out {T}/out.txt -o {T}/out1.txt",
     0, "", "levelling/summary.KOT", "out.txt"},
    {"level_first_readings_to_stdout", "level {T}/line1.raw --readings first --start=100.0000 --tolerance 0.3",
     0, "", "levelling/kot_first.KOT", "stdout"},
    {"level_notebook",
     "level {T}/book.raw --form 'iLLER BANKASI' --elevations --traverse --start 100.0000 -o {T}/out.txt --tolerance 0.3",
     0, "", "levelling/book_both.iLL", "out.txt"},
    {"level_tolerance_errors_beside_the_raw_file", "level {T}/line1.raw --start 100.0000 -o {T}/out.txt",
     0, "{T}/line1.raw.HTA"},
    {"level_misclosure_is_a_result", "level {T}/line1.raw --elevations --start 100 --end 101 -o {T}/out.txt",
     0, "Kapanma Hatası"},
    {"level_unknown_form", "level {T}/line1.raw --form KOT", 2, "unknown form 'KOT'"},
    {"level_unknown_readings", "level {T}/line1.raw --readings mean", 2, "use first, second or both"},
    {"level_return_without_its_outputs", "level {T}/line1.raw --return {T}/line1r.raw", 2, "go together"},
    {"level_missing_raw_file", "level {T}/yok.raw -o {T}/out.txt", 1, "yok.raw: no such file"},
    {"level_never_replaces_its_input", "level {T}/line1.raw -o {T}/line1.raw",
     1, "{T}/line1.raw bu işlemde okunan dosya"},
    {"level_unwritable_output", "level {T}/line1.raw -o {T}/yok/out.KOT", 1, "yok/out.KOT: "},

    {"xls", "xls {T}/olcu.txt", 0, "", "export/olcu.txt.xls.gold", "olcu.txt.xls"},
    {"xls_missing_input", "xls {T}/yok.txt", 1, "{T}/yok.txt"},
    {"xls_one_file_only", "xls {T}/olcu.txt {T}/b.txt", 2, "needs exactly one TEXTFILE"},
    {"gts720", "gts720 {T}/yxz.txt {T}/liste", 0, "", "export/yxz.gts720.gold", "liste.txt"},
    {"gts720_needs_two_names", "gts720 {T}/yxz.txt", 2, "needs INFILE and OUTNAME"},
    {"gts720_unwritable_output", "gts720 {T}/yxz.txt {T}/yok/liste", 1, "{T}/yok/liste.txt"},

    // download and upload: a usage error is found before any port is opened
    {"download_unknown_instrument", "download --instrument GTS-999 --port /dev/x {T}/f.txt", 2, "\"USIKATA\""},
    {"upload_for_an_instrument_without_one", "upload --instrument DL-100 --port /dev/x {T}/f.txt", 2,
     "no upload for the instrument"},
    {"download_bad_parity", "download --instrument DL-100 --port /dev/x --parity none {T}/f.txt", 2,
     "bad value for --parity: none"},
    {"download_without_file", "download --instrument DL-100 --port /dev/x", 2, "one OUTFILE is required"},
    {"download_without_instrument", "download --port /dev/x {T}/f.txt", 2, "--instrument is required"},
};
// clang-format on

// The words of a command, {T} filled in; a word in '...' holds blanks.
std::vector<std::string> words(const std::string& command, const std::string& folder) {
    std::vector<std::string> out;
    std::istringstream in(filled(command, folder));
    for (std::string word; in >> std::quoted(word, '\'');) out.push_back(word);
    return out;
}

class Cli : public ::testing::TestWithParam<Case> {};

TEST_P(Cli, Runs) {
    const Case& c = GetParam();
    const fs::path dir = test::tempDir(c.name);
    for (const char* name : kSamples)
        fs::copy_file(fs::path(VELKAR_SAMPLES_DIR) / name, dir / name);
    for (const char* path : kData)
        fs::copy_file(test::dataDir() / path, dir / fs::path(path).filename());
    const auto r = test::runProcess(VELKAR_CLI, words(c.command, dir.string()),
                                    {{"QT_QPA_PLATFORM", "offscreen"}});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.err.find(filled(c.err, dir.string())), std::string::npos) << r.err;
    if (c.exitCode != 0 && !*c.golden &&
        std::string(c.command).find(" -o {T}/out.txt") != std::string::npos) {
        EXPECT_FALSE(fs::exists(dir / "out.txt")) << "a failed run leaves no output file";
    }
    if (*c.golden) {
        const std::string out =
            std::string(c.output) == "stdout" ? r.out : test::readBytes(dir / c.output);
        EXPECT_TRUE(test::matchesGolden(out, test::dataDir() / c.golden));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Cli, ::testing::ValuesIn(kCases), test::ByName());

}  // namespace
}  // namespace velkar
