// The lists of files the generator writes.
#include "pictures.h"
#include "sounds.h"
#include "synth.h"
#include "tunes.h"

namespace datagen {

std::vector<Picture> MakeAllPictures() {
  return {MakePlanetSheet(),   MakePanel(),   MakeLine(),  MakeUniverse(),  MakeUprightFrame(),
          MakeSidewaysFrame(), MakeShuttle(), MakeTitle(), MakeMenu(),      MakeBursts(),
          MakeBlackHole(),     MakeSun(),     MakeStars(), MakeWhiteHole(), MakeIcon()};
}

// Tunes peak a little lower than effects, which play over them.
std::vector<Sound> MakeAllSounds() {
  constexpr double kTune = 0.7, kEffect = 0.8;
  return {{"titlebgm.wav", ToPcm(TitleTune(), kTune)},
          {"playbgm.wav", ToPcm(PlayTune(), kTune)},
          {"select.wav", ToPcm(SelectEffect(), kEffect)},
          {"mode.wav", ToPcm(ModeEffect(), kEffect)},
          {"enter.wav", ToPcm(EnterEffect(), kEffect)},
          {"bom.wav", ToPcm(BurstEffect(), kEffect)},
          {"gage.wav", ToPcm(GaugeAlarm(), kEffect)},
          {"sun.wav", ToPcm(SunEffect(), kEffect)},
          {"chain2.wav", ToPcm(ChainEffect(2), kEffect)},
          {"chain3.wav", ToPcm(ChainEffect(3), kEffect)},
          {"shuttle.wav", ToPcm(LaunchEffect(), kEffect)},
          {"pinch.wav", ToPcm(PinchTune(), kTune)}};
}

}  // namespace datagen
