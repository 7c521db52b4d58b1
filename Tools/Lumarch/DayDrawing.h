// Pictures of a day, drawn with cairo: the chart of what the director did (sun and moon altitude
// over the dominant look, exposure, fog and sky light) and the filmstrip of rendered views above it.
#pragma once

#include "PreviewLevel.h"
#include "Renderer/SceneViewRenderer.h"

#include <string>
#include <vector>

/** "hh:mm" of a time in days, rounded to the minute; the end of a day reads 24:00. */
std::string FormatClock(double Time);

/** The chart alone, as an SVG file. */
bool WriteDayChartSvg(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, std::string& OutError);

/** Pixel size of the filmstrip of Frames views of FrameWidth x FrameHeight with the chart beneath. */
struct FFilmstripSize
{
	double Width;
	double Height;
};
FFilmstripSize FilmstripSize(int Frames, int FrameWidth, int FrameHeight);

/** The largest side of a picture cairo can write. */
constexpr double MaxPictureSide = 32767.0;

/** Every view with its clock under it, in rows, and the chart beneath, as one PNG file. */
bool WriteDayFilmstripPng(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, const std::vector<FRenderedView>& Views, std::string& OutError);

/** The chart alone as PNG bytes, with the camera's exposure where views are given. */
std::string EncodeDayChartPng(const std::vector<FDirectorSnapshot>& Rows, const std::vector<FRenderedView>& Views);

/** Where the chart's time axis lies across the chart, as fractions of its width (for a marker over it). */
struct FChartTimeAxis
{
	double Left;
	double Right;
};
FChartTimeAxis DayChartTimeAxis();

/** One rendered view as PNG bytes. */
std::string EncodeViewPng(const FRenderedView& View);
