// What `lumarch preset check` reports about a loaded preset: values a file may hold but the editor
// would not let a designer enter, and values that make the look degenerate.
#pragma once

#include <string>
#include <vector>

class ULM_Preset;

/** One line per finding, each naming the property path ("WorldSettings.DayLightFraction: ..."). */
std::vector<std::string> CheckPreset(const ULM_Preset* Preset);
