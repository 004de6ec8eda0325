// Survey computations of the conversion window's "&Hesapla" mode: polar
// coordinates (KOORDINAT) and cross sections (KESIT-KLISE, KESIT-NETCAD).
#pragma once

#include <string>
#include <vector>

#include "conversion/format_writer.h"
#include "conversion/record.h"
#include "conversion/window.h"

namespace velkar::survey {

using conversion::ConversionState;
using conversion::ConversionWindow;

// What a KOORDINAT run stood on, kept for its plan view: the stations and
// backsights with their coordinates and where they came from, and for every
// computed point the setup it was measured from and its result table row.
struct PolarSurveyLog {
    enum class Source { PolygonFile, Computed, Typed };
    struct KnownPoint {
        std::string name;
        double y = 0, x = 0, z = 0;
        Source source = Source::Typed;
    };
    struct Setup {
        KnownPoint station, backsight;
    };
    struct Measured {
        std::string name;
        double y = 0, x = 0, z = 0;
        int setup = -1;  // index into setups; -1 before the first station
        int row = -1;    // its row in the result table (SATIR_NO when it was written)
    };
    std::vector<Setup> setups;
    std::vector<Measured> measured;
};

// KOOR_HESAP: asks for the raw file (and the family question when it looks
// like the other instrument family) and an optional polygon file (name, Y, X,
// Z per line), finds each station and backsight (polygon file first, then the
// points computed earlier in the run, then the user through "Koordinat
// Girişi" input boxes) and computes every measured point by the polar method,
// from the true angles of degree records; records of an unknown angle unit or
// not in metres are counted in state.summary and not computed.
// Result lines: name (left-aligned in 12) and Y, X, Z (4 decimals, right-aligned
// in 15) separated by two blanks: the result can serve as a polygon file.
// Returns false when the run ended early (no raw file, a file error, or a stop
// requested through state.stopRequested at a coordinate question).
// When log is given, the run is noted in it (emptied first).
bool KOOR_HESAP(ConversionWindow& w, ConversionState& state, PolarSurveyLog* log = nullptr);

// Both cross-section computations show the lines of their result in the
// table, one a row under the output's name, and leave the completion box to
// runActionButton.
// KESITKLISEHES: the printable cross-section listing.
bool KESITKLISEHES(ConversionWindow& w, ConversionState& state);

// KESIT_netcad: the NETCAD cross-section records.
bool KESIT_netcad(ConversionWindow& w, ConversionState& state);

// The action button with the computations wired in: conversion::runAction,
// and in the computing mode the computation of w.request ended through
// conversion::finishRun with "Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi
// Unutmayınız.!!!" (the empty-result warning instead when it wrote nothing;
// the plain message when the file choice was cancelled).  RunLevelling is
// still returned for the DL-100.
// log: as for KOOR_HESAP.
conversion::ActionOutcome runActionButton(ConversionWindow& w, ConversionState& state,
                                          PolarSurveyLog* log = nullptr);

}  // namespace velkar::survey
