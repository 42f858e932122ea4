// Neutral files holding every record kind the two readers convert, written
// from their grammars: the File > Import tests and the pictures of an
// imported model use them.
#pragma once

#include <string>

#include "files/CiiSample.h"

// A .pnf plant in English units: pipes, a bend with a support half way
// round it, a ball joint, every support record and the four second-pass
// records.
inline const char* const kEveryKindPnf =
    "TITLE neutral sample plant\n"
    "UNIT ENGLISH\n"
    "GLOBAL B31.3 70\n"
    "MATERIAL CS carbon 0.283 0.3\n"
    "LOAD L1 300 150\n"
    "PIPE S1 8 40 8.625 0.322\n"
    "PIPE S2 6 40 6.625 0.28\n"
    "FROM A 0 0 0 S1 CS L1\n"
    "TO B 10 0 0\n"
    "TO C 10 0 0\n"
    "TO D 0 10 0 LONG\n"
    "TO E 0 0 10\n"
    "TO F 2 0 0 * S2\n"
    "TO G 10 0 0\n"
    "TO H 3 0 0\n"
    "BSJ * 1000\n"
    "TO J 10 0 0\n"
    "TO K 0 -10 0\n"
    "ANCHOR A * * * * * * * 0.5 0 0\n"
    "ANCHOR K\n"
    "SPRING B * 100 200\n"
    "HANGER H\n"
    "CONSTANT J * * 300\n"
    "LINESTOP C\n"
    "GUIDE D MID\n"
    "ROTATIONAL G * 500 0 0 1\n"
    "INCLINED H * * 30 60\n"
    "LIMITSTOP J * * 1 1\n"
    "ONEWAY J * -Y\n"
    "SNUBBER G * * 1 0 0\n"
    "FORCE C * 0 -500 0 0 0 0\n"
    "WEIGHT G * 200\n"
    "FLANGE C * WELD * 50\n"
    "TEE C WELDING\n"
    "SIF E 2 2\n"
    "VALVE B * 150\n"
    "CUT J 0.25\n"
    "REDUCER E\n"
    "BELLOW G 20 50 1000 500 * 2000 * 300\n";

// A .cii plant of version 5.1: a pipe, a bend with its point half way, a
// long rigid (a valve), a short rigid, a reducer without its second end,
// an expansion joint of no length, a nozzle, anchors with displacements,
// restraints, a weld, a threaded joint, a hanger and a hydrotest pressure.
inline CiiSample EveryKindCii() {
  CiiSample sample;
  sample.title = "CII SAMPLE PLANT";
  const auto element = [&](int from, int to, double dx, double dy, double dz) -> CiiSampleElement& {
    CiiSampleElement e;
    e.from = from;
    e.to = to;
    e.dx = dx;
    e.dy = dy;
    e.dz = dz;
    e.hydro = 450;
    sample.elements.push_back(e);
    return sample.elements.back();
  };
  element(10, 20, 120, 0, 0);
  element(20, 30, 0, 120, 0).bend = 1;
  element(30, 40, 0, 0, 24).rigid = 1;
  element(40, 50, 0, 0, 6).rigid = 2;
  element(50, 60, 0, 0, 120);
  element(60, 70, 0, 0, 12).reducer = 1;
  CiiSampleElement& smaller = element(70, 80, 120, 0, 0);
  smaller.od = 6.625;
  smaller.wall = 0.28;
  CiiSampleElement& joint = element(80, 90, 0, 0, 0);
  joint.od = 6.625;
  joint.wall = 0.28;
  joint.joint = 1;
  CiiSampleElement& last = element(90, 100, 120, 0, 0);
  last.od = 6.625;
  last.wall = 0.28;
  sample.bends.push_back({12, 0, 0, -25, 0, 0});
  sample.rigids = {400, 50};
  sample.reducers.push_back({0, 0});
  sample.joints.push_back({1000, 500, 200, 300, 0});
  sample.restraints.push_back({10, 1});
  sample.restraints.push_back({25, 3});
  sample.restraints.push_back({60, 8, 0, 0.1, 0.3});
  sample.restraints.push_back({80, 3});
  sample.nozzles.push_back({100, 0, 0, 6.625, 0.28, 120, 0.5, 0, 0, 100, 100, 0, 1, 0});
  CiiSampleDisplacement moved;
  moved.node = 10;
  moved.vectors[0] = {0.5, 0, 0, 0, 0, 0};
  sample.displacements.push_back(moved);
  sample.tees.push_back({50, 7, 0, 0});
  sample.tees.push_back({70, 11, 0, 0});
  sample.hangerNodes = {50};
  sample.hangerTables = {0};  // the default catalogue
  return sample;
}
