# The floors of the house, bottom up, written once: every folder of src/ and tools/ with its floor.
# A file includes headers of its own floor or below only (CheckFloors.cmake); a folder that is not
# listed here fails the check, so a new room is placed on a floor when it is made.
#   1  what the game calls: held keys, random numbers, the quit request, drawing and sound
#   2  the game: rules, timing and drawing calls; no SDL, no files
#   3  around the game: input, replays, online play, the state document
#   4  the platform: what touches the machine
#   5  the program: entry, command line, the window's loop and its modes; the tools
set(ASTORINE_FLOORS
  src/services=1 src/gfx=1 src/sound=1
  src/scenes=2 src/solo=2 src/versus=2
  src/input=3 src/replay=3 src/net=3 src/state=3 src/settings=3 src/records=3
  src/platform=4
  src/program=5 tools/headless=5 tools/bench=5 tools/data=5 tools/lobby=5)
