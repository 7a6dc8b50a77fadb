// The instruments the three tunes are played on.
#pragma once
#include "instrument.h"

namespace datagen {

Instrument Pad();         // slow detuned saws behind a soft filter
Instrument Bell();        // a glassy pluck for arpeggios and sparkles
Instrument SubBass();     // round and low
Instrument BounceBass();  // short, plucky, with a filter snap
Instrument Lead();        // a singing square with vibrato
Instrument Stab();        // short offbeat chords
Instrument Kick();
Instrument Snare();
Instrument Hat();

}  // namespace datagen
