// The events log of a headless run: one line per happening, "FRAME scene FROM TO",
// "FRAME start SOUND loop|once", "FRAME stop SOUND", "FRAME quit". Start-up is frame -1.
#pragma once
#include <cstdint>
#include <string>

// Opens the log ("-" is standard output) and hooks the sound requests; false when the file
// cannot be written.
bool OpenEventLog(const std::string& path);
// The frame that the next lines belong to.
void SetEventFrame(long frame);
void LogSceneChange(int32_t from, int32_t to);
void LogQuit();
void CloseEventLog();
