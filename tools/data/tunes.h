// The looping tunes and the one-shot effects, as signals before conversion to 16 bits.
#pragma once
#include "synth.h"

namespace datagen {

Signal TitleTune();
Signal PlayTune();
Signal PinchTune();

Signal SelectEffect();         // cursor moved
Signal ModeEffect();           // play mode changed
Signal EnterEffect();          // confirmed
Signal BurstEffect();          // planets burst, first step of a chain
Signal GaugeAlarm();           // restarted every 6 frames while a gauge is nearly full
Signal SunEffect();            // a sun piece bursts
Signal ChainEffect(int step);  // second (2) and later (3) steps of a chain, each brighter
Signal LaunchEffect();         // the shuttle's launch over the start screen

}  // namespace datagen
