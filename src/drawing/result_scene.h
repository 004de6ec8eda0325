// Scenes of the conversion window's results: a coordinate list in the result
// table, and a KOORDINAT run with its stations and sight lines.
#pragma once

#include "drawing/scene.h"
#include "platform/result_table.h"
#include "survey/survey.h"

namespace velkar::drawing {

// The coordinate rows of the result table (row 0 the header, then name and
// three coordinates in the output's order); each point keeps its row.
PlanScene sceneFromTable(const ResultTable& table, AxisOrder order);

// A KOORDINAT run: the computed points (with their table rows), the stations
// (triangles), the backsights and other known points taken from the polygon
// file or typed in (circles), and a sight line from each station to every
// point measured from it.  A name drawn once: a computed point later used as
// a station becomes the station.
PlanScene sceneFromSurvey(const survey::PolarSurveyLog& log);

}  // namespace velkar::drawing
