// A picture of the day the previewer ran: the sun's and moon's altitude over the look of each moment.
#pragma once

#include "PreviewLevel.h"
#include <string>
#include <vector>

/**
 * Writes the rows as an SVG chart to Path: altitude curves of the sun and moon over bands coloured by
 * the dominant look, the horizon, and hour marks. False with a reason in OutError when it cannot.
 */
bool WriteDayPicture(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, std::string& OutError);
