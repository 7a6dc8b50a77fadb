// --state-out: the state document of the run's end, to a file or ("-") standard output.
#pragma once
#include <string>

// False when the file cannot be written.
bool WriteStateOut(const std::string& path);
