// Pieces of the GTS-210/220 upload that the tests reach.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "link/transfer_fields.h"

namespace velkar::link {

// One 13-character coordinate part of a point record for axis 'x', 'y' or
// 'z': "_ x+004512345" (under 7 integer digits), "_ x4512345678" (exactly 7),
// "_ x-000012300" (negative, at most 6).  The decimal point is not written;
// three decimals, cut, missing ones "0".  std::nullopt and the refusal reason
// for a text that is no number or does not fit.
std::optional<std::string> coordinateField(char axis, const std::string& text, std::string& reason);

// The 51-character point record of a source line already split into the
// fields (name, Y, X, Z); std::nullopt and the reason when it cannot be built.
std::optional<std::string> pointRecord(const TransferFields& f, int fieldCount,
                                       std::string& reason);

// Stage 1 of the upload: every line of the source file becomes a point
// record; empty lines are skipped.  The first line that cannot become one
// stops the conversion: false and the refusal text "N. satır gönderilemez:
// REASON" (or the reason the file could not be read).
bool buildPointRecords(const std::filesystem::path& source, TransferFields& f,
                       std::vector<std::string>& records, std::string& refusal);

// The frames.
std::string requestFrame();
std::string headerBody(std::size_t recordCount);
std::string checkedFrame(TransferFields& f, const std::string& body);  // STX body BCC ETX CR LF
std::string endFrame();

}  // namespace velkar::link
