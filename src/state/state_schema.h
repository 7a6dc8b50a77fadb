// The members of the state document: every field of GameState, named as in the code, with the
// way each one is written, then the random generator. The writer, the reader, the state hash and
// the tests walk the state through here.
#pragma once
#include <array>
#include <cstdint>

#include "scenes/game_state.h"
#include "services/random.h"

// How a walker sees a field:
//   Int(name, field)            any integer field, written as a number
//   Code(name, field)           a character code ('t', 's'), written as a one-letter string
//   Scene(name, field)          a GameScene, written by name ("SceneTitle")
//   SideStateName(name, field)  a SideState, written by name ("SideFalling")
//   Grid(name, field)           a well, written as 13 strings of 8 characters, row 0 first
//   Record(name, field)         a struct, written as an object of its own members
//   List(name, field)           a std::array of integers or of structs, written as an array
//   Words(name, field)          a std::array of integers read only whole (the generator's words)

template <class Walker>
void WalkState(Walker& w, NextPairRecord& r) {
  w.Int("next1", r.next1);
  w.Int("next2", r.next2);
}

template <class Walker>
void WalkState(Walker& w, FallingPairRecord& r) {
  w.Int("row1", r.row1);
  w.Int("col1", r.col1);
  w.Int("row2", r.row2);
  w.Int("col2", r.col2);
  w.Int("code1", r.code1);
  w.Int("code2", r.code2);
  w.Code("orientation", r.orientation);
  w.Int("pairActive", r.pairActive);
}

template <class Walker>
void WalkState(Walker& w, ExplosionRecord& r) {
  w.Int("sourceX", r.sourceX);
  w.Int("x", r.x);
  w.Int("y", r.y);
  w.Int("frame", r.frame);
  w.Int("colourIndex", r.colourIndex);
}

template <class Walker>
void WalkState(Walker& w, CapturedList& r) {
  w.List("codes", r.codes);
  w.Int("count", r.count);
}

template <class Walker>
void WalkState(Walker& w, VersusSide& r) {
  w.Grid("Board", r.Board);
  w.Record("FallingPair", r.FallingPair);
  w.SideStateName("sideState", r.sideState);
  w.Int("colourCount", r.colourCount);
  w.Int("fallInterval", r.fallInterval);
  w.Int("fallCounter", r.fallCounter);
  w.Int("moveRepeat", r.moveRepeat);
  w.Int("moveCounter", r.moveCounter);
  w.Int("phaseCounter", r.phaseCounter);
  w.Int("chainCount", r.chainCount);
  w.Int("removedCount", r.removedCount);
  w.Int("linesFound", r.linesFound);
  w.Grid("RemovalMarks", r.RemovalMarks);
  w.List("ExplosionTable", r.ExplosionTable);
  w.Int("rotateLatch", r.rotateLatch);
  w.List("driftCounter", r.driftCounter);
  w.Record("CapturedPlanets", r.CapturedPlanets);
  w.Int("blackHoleTick", r.blackHoleTick);
  w.Int("blackHoleSourceX", r.blackHoleSourceX);
}

template <class Walker>
void WalkState(Walker& w, BlackHoleRecord& r) {
  w.Int("active", r.active);
  w.Int("x", r.x);
  w.Int("y", r.y);
  w.Int("dx", r.dx);
  w.Int("dy", r.dy);
  w.Int("widthFactor", r.widthFactor);
  w.Int("heightFactor", r.heightFactor);
  w.Int("frame", r.frame);
  w.Int("tick", r.tick);
  w.Int("sourceX", r.sourceX);
  w.Int("targetSide", r.targetSide);
}

template <class Walker>
void WalkState(Walker& w, SunRecord& r) {
  w.Int("active", r.active);
  w.Int("size", r.size);
  w.Int("endCounter", r.endCounter);
}

template <class Walker>
void WalkState(Walker& w, WhiteHoleRecord& r) {
  w.Int("active", r.active);
  w.Int("x", r.x);
  w.Int("y", r.y);
  w.Int("startX", r.startX);
  w.Int("speed", r.speed);
  w.Int("widthFactor", r.widthFactor);
  w.Int("heightFactor", r.heightFactor);
  w.Int("frame", r.frame);
  w.Int("tick", r.tick);
  w.Int("sourceX", r.sourceX);
  w.Int("firstFrame", r.firstFrame);
}

template <class Walker>
void WalkState(Walker& w, Star& r) {
  w.Int("imageX", r.imageX);
  w.Int("imageY", r.imageY);
  w.Int("x", r.x);
  w.Int("y", r.y);
  w.Int("stepX", r.stepX);
  w.Int("stepY", r.stepY);
  w.Int("size", r.size);
}

template <class Walker>
void WalkState(Walker& w, TitleMenu& r) {
  w.Int("TitleLogoY", r.TitleLogoY);
  w.Code("MenuChoice", r.MenuChoice);
  w.Code("PlayMode", r.PlayMode);
  w.Int("versusMode", r.versusMode);
  w.Int("computerPlayer", r.computerPlayer);
  w.Int("ModeKeyLatch", r.ModeKeyLatch);
  w.Int("StartZoom", r.StartZoom);
}

template <class Walker>
void WalkState(Walker& w, Thresholds& r) {
  w.Int("blackHoleThreshold", r.blackHoleThreshold);
  w.Int("sunThreshold", r.sunThreshold);
  w.Int("colourThreshold", r.colourThreshold);
  w.Int("speedThreshold", r.speedThreshold);
  w.Int("movePeriodThreshold", r.movePeriodThreshold);
  w.Int("rotatePeriodThreshold", r.rotatePeriodThreshold);
  w.Int("versusColourThreshold", r.versusColourThreshold);
  w.Int("versusSpeedThreshold", r.versusSpeedThreshold);
}

template <class Walker>
void WalkState(Walker& w, ComputerPlayer& r) {
  w.Int("targetColumn", r.targetColumn);
  w.Int("targetRow", r.targetRow);
  w.Int("clockwiseTurns", r.clockwiseTurns);
  w.Int("counterClockwiseTurns", r.counterClockwiseTurns);
  w.Int("computerDropCounter", r.computerDropCounter);
  w.Int("computerMoveCounter", r.computerMoveCounter);
  w.Int("planNeeded", r.planNeeded);
}

template <class Walker>
void WalkState(Walker& w, MatchState& r) {
  w.Int("matchEndCounter", r.matchEndCounter);
  w.Int("debugLatch", r.debugLatch);
}

template <class Walker>
void WalkState(Walker& w, GameState& r) {
  w.Int("FrameCount", r.FrameCount);
  w.Scene("CurrentScene", r.CurrentScene);
  w.Int("SceneFrame", r.SceneFrame);
  w.Int("score", r.score);
  w.Int("debugMode", r.debugMode);
  w.Int("pinchActive", r.pinchActive);
  w.Record("NextPair", r.NextPair);
  w.Record("side1", r.side1);
  w.Record("side2", r.side2);
  w.Code("viewDirection", r.viewDirection);
  w.Int("mirrored", r.mirrored);
  w.Int("moveGauge", r.moveGauge);
  w.Int("rotateGauge", r.rotateGauge);
  w.Int("gaugeTick", r.gaugeTick);
  w.Int("moveGaugePeriod", r.moveGaugePeriod);
  w.Int("rotateGaugePeriod", r.rotateGaugePeriod);
  w.Int("moveWarning", r.moveWarning);
  w.Int("rotateWarning", r.rotateWarning);
  w.Int("moveBlink", r.moveBlink);
  w.Int("rotateBlink", r.rotateBlink);
  w.Int("rotateLatch", r.rotateLatch);
  w.Int("scrollX", r.scrollX);
  w.Int("scrollY", r.scrollY);
  w.Record("BlackHole", r.BlackHole);
  w.Record("Sun", r.Sun);
  w.Record("WhiteHole", r.WhiteHole);
  w.List("StarField", r.StarField);
  w.Record("title", r.title);
  w.Record("thresholds", r.thresholds);
  w.Record("computer", r.computer);
  w.Record("match", r.match);
  w.Int("previewBlackHoleTick", r.previewBlackHoleTick);
  w.Int("previewBlackHoleSourceX", r.previewBlackHoleSourceX);
  w.Grid("ScanSnapshot", r.ScanSnapshot);
}

template <class Walker>
void WalkState(Walker& w, RandomState& r) {
  w.Words("words", r.words);
  w.Int("index", r.index);
}

// The document's top level: the game's fields, then the generator as member "random".
struct DocumentRoot {
  GameState& game;
  RandomState& random;
};

template <class Walker>
void WalkState(Walker& w, DocumentRoot& r) {
  WalkState(w, r.game);
  w.Record("random", r.random);
}
