// The sound's own keys in the window: mute and volume, from the controls' [game] section, on the
// keyboard and on any pad. They never reach the game, so replays and online play do not see them.
#pragma once
#include <SDL.h>

#include "input/bindings.h"
#include "settings/settings.h"

// The settings the sound starts with, set on the mixer (after the sounds are loaded), and the
// controls whose [game] keys change them.
void StartWindowSound(const Settings& settings, const Controls& controls);
// Acts on a key or pad event bound to a [game] action: the mixer's levels change, a note says
// how, and the settings file is saved. True when the event was such a press.
bool HandleSoundEvent(const SDL_Event& event);
