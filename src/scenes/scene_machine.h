// The scene machine: runs the current scene's handler each frame and switches scenes.
#pragma once
#include <cstdint>

// One frame: the current scene's handler, SceneFrame + 1, the switch. Called by RunFrame.
void UpdateScene();
// The frame's step, unpaced and unpresented: UpdateScene, then FrameCount + 1. RunFrame paces and
// shows it; frames nobody watches (a replay played faster, reruns after a rollback) run it alone.
void StepFrame();
// Switches to a scene and performs its entry actions; only UpdateScene calls it.
void EnterScene(int32_t next);
// Once at start-up: pictures, random seed, empty wells, star field, title tune. Returns 1.
int InitGame();
// The game reset performed on every entry to the title.
void ResetGame();
