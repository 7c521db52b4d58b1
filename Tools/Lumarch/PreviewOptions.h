// What the user asked the previewer for, from the command line.
#pragma once

#include <cstdio>
#include <string>

enum class EPreviewMode
{
	/** An editor level: TotalTime dragged through the day in the Details panel, redrawn on each edit. */
	Editor,
	/** A level in play: the game clock advances frame by frame and the director redraws every frame. */
	Play,
};

struct FPreviewOptions
{
	EPreviewMode Mode = EPreviewMode::Editor;
	/** Rows over the day; the day is also sampled at its end, so Steps + 1 rows. */
	int Steps = 24;
	/** A preset saved as JSON to run instead of the built-in one; empty for the built-in one. */
	std::string PresetPath;
	/** Where to save the preset that runs, as JSON; empty for nowhere. */
	std::string SavePresetPath;
	/** Share of the day the sun is above the horizon, written into the preset's world settings; below 0 keeps the preset's. */
	float DayLightFraction = -1.0f;
	/** Play: real seconds one game day lasts on the clock; only the frame size depends on it. */
	float DayLengthSeconds = 1440.0f;
	/** Play: frames per second of game time; the director redraws every frame. */
	int FramesPerSecond = 30;
	bool bCsv = false;
	/** Where to write a picture of the day (SVG); empty for none. */
	std::string PicturePath;
	/** Where to write the filmstrip of rendered views with the chart (PNG), and the page that scrubs the day (HTML). */
	std::string PngPath;
	std::string HtmlPath;
	/** Size of each rendered view. */
	int ViewWidth = 256;
	int ViewHeight = 128;
	/** Renders with the published multiple-scattering form instead of the engine's default. */
	bool bPaperMultipleScattering = false;
};

enum class EParseResult
{
	Run,
	HelpShown,
	BadInput,
};

void PrintUsage(FILE* Out);

/** Fills Options; on bad input prints why to stderr. */
EParseResult ParsePreviewOptions(int Argc, char** Argv, FPreviewOptions& Options);
