// What the user asked the previewer for, from the command line.
#pragma once

#include <string>
#include <vector>

enum class EPreviewMode
{
	/** An editor level: TotalTime dragged through the day in the Details panel, redrawn on each edit. */
	Editor,
	/** A level in play: the game clock advances frame by frame and the director redraws every frame. */
	Play,
};

enum class ELumarchCommand
{
	/** Run a level through one day (preview or play, as Mode says). */
	Run,
	/** Write the built-in preset as a complete JSON file. */
	PresetDump,
	/** Load preset files and report values the editor would not allow or that degenerate the look. */
	PresetCheck,
};

struct FPreviewOptions
{
	ELumarchCommand Command = ELumarchCommand::Run;
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
	/** "Path=Value" edits entered in the preset's Details panel before the run, in order. */
	std::vector<std::string> Settings;
	/** Where to write a rendered view of the sky (PNG); empty for none. */
	std::string PngPath;
	/** Where to write a page of the day's views (HTML); empty for none. */
	std::string HtmlPath;
	/** Size in pixels of a rendered sky view. */
	int ViewWidth = 256;
	int ViewHeight = 128;
	/** Multiple scattering of the sky as in the published model rather than the engine's approximation. */
	bool bPaperMultipleScattering = false;

	/** preset dump: where to write it; empty for standard output. */
	std::string DumpPath;
	/** preset check: the files to check. */
	std::vector<std::string> CheckPaths;
};

enum class EParseResult
{
	Run,
	HelpShown,
	BadInput,
};

/** The program's version, as --version prints it. */
const char* LumarchVersion();

/** Fills Options; prints help or version to stdout, and on bad input one line saying why to stderr. */
EParseResult ParsePreviewOptions(int Argc, char** Argv, FPreviewOptions& Options);

/**
 * Why Path cannot be written as an output file, or empty when it can: its folder must exist and be
 * writable, and the path must not name a directory or anything but a regular file.
 */
std::string OutputPathProblem(const std::string& Path);
