// The command line, parsed and validated by CLI11. Numbers are checked as plain decimals before the
// library converts them: its conversion also takes hexadecimal, octal and leading blanks, which a
// typo can produce and nobody means.
#include "PreviewOptions.h"
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
	constexpr int MaxViewSide = 4096;

	const CLI::Validator PlainWholeNumber(
		[](std::string& Text) -> std::string {
			static const std::regex Pattern("[0-9]+");
			return std::regex_match(Text, Pattern) ? std::string() : "expected a whole number in decimal digits, got '" + Text + "'";
		},
		"", "WHOLE");

	const CLI::Validator PlainNumber(
		[](std::string& Text) -> std::string {
			static const std::regex Pattern("[-+]?([0-9]+([.][0-9]*)?|[.][0-9]+)([eE][-+]?[0-9]+)?");
			return std::regex_match(Text, Pattern) ? std::string() : "expected a decimal number, got '" + Text + "'";
		},
		"", "NUMBER");

	const CLI::Validator OutputFile(
		[](std::string& Path) -> std::string { return OutputPathProblem(Path); }, "", "OUTPUT");

	const CLI::Validator InputFile(
		[](std::string& Path) -> std::string { return Path.empty() ? "the file name is empty" : std::string(); }, "", "INPUT");

	const CLI::Validator Setting(
		[](std::string& Text) -> std::string {
			const size_t Equals = Text.find('=');
			return Equals == std::string::npos || Equals == 0 ? "expected Path=Value (as in WorldSettings.DayLightFraction=0.4), got '" + Text + "'" : std::string();
		},
		"", "SETTING");

	const CLI::Validator ViewSize(
		[](std::string& Text) -> std::string {
			static const std::regex Pattern("([0-9]{1,9})x([0-9]{1,9})");
			std::smatch Match;
			if (std::regex_match(Text, Match, Pattern))
			{
				const long Width = std::stol(Match[1]);
				const long Height = std::stol(Match[2]);
				if (Width >= 1 && Width <= MaxViewSide && Height >= 1 && Height <= MaxViewSide)
				{
					return std::string();
				}
			}
			return "expected WIDTHxHEIGHT with each side from 1 to " + std::to_string(MaxViewSide) + " pixels, got '" + Text + "'";
		},
		"", "VIEWSIZE");

	std::string FolderOf(const std::string& Path)
	{
		const size_t Slash = Path.find_last_of('/');
		if (Slash == std::string::npos)
		{
			return ".";
		}
		return Slash == 0 ? std::string("/") : Path.substr(0, Slash);
	}

	/** The options of a run, on `preview`, `play` and the bare program (which previews). */
	void AddRunOptions(CLI::App& App, FPreviewOptions& Options, bool bPlay, std::string& ViewSizeText, std::string& Quality)
	{
		App.add_option("PRESET", Options.PresetPath, "a preset saved as JSON (see --save-preset, preset dump) instead of the built-in one")
			->check(InputFile)->type_name("FILE");
		App.add_option("--steps", Options.Steps, "rows over the day (one per hour by default)")
			->check(PlainWholeNumber)->check(CLI::Range(1, 100000))->capture_default_str()->type_name("N");
		App.add_option("--daylight", Options.DayLightFraction, "share of the day the sun is above the horizon (default: the preset's)")
			->check(PlainNumber)->check(CLI::Range(0.0, 1.0))->type_name("F");
		if (bPlay)
		{
			App.add_option("--day-length", Options.DayLengthSeconds, "real seconds per game day on the clock")
				->check(PlainNumber)->check(CLI::Range(1.0, 1000000.0))->capture_default_str()->type_name("S");
			App.add_option("--fps", Options.FramesPerSecond, "frames per second of the clock")
				->check(PlainWholeNumber)->check(CLI::Range(1, 240))->capture_default_str()->type_name("N");
		}
		App.add_flag("--csv", Options.bCsv, "comma-separated output (RFC 4180) instead of a table");
		App.add_option("--svg", Options.PicturePath, "also write a picture of the day to FILE (SVG)")->check(OutputFile)->type_name("FILE");
		App.add_option("--save-preset", Options.SavePresetPath, "save the preset that runs to FILE as JSON, to edit and load back")->check(OutputFile)->type_name("FILE");
		App.add_option("--set", Options.Settings, "enter Value into the preset's property at Path as the editor does (clamps and edit conditions apply); repeatable")
			->check(Setting)->expected(1)->take_all()->type_name("PATH=VALUE");
		App.add_option("--png", Options.PngPath, "render a view of every step and write them with the chart to FILE (PNG)")->check(OutputFile)->type_name("FILE");
		App.add_option("--html", Options.HtmlPath, "write a page that scrubs the day to FILE (HTML)")->check(OutputFile)->type_name("FILE");
		App.add_option("--view-size", ViewSizeText, "size of each rendered view in pixels (--png, --html)")->check(ViewSize)->default_str("256x128")->type_name("WxH");
		App.add_option("--ms-quality", Quality, "multiple scattering in rendered views: the engine's form or the published one")
			->check(CLI::IsMember({"engine", "paper"}))->default_str("engine")->type_name("MODE");
	}
}

const char* LumarchVersion()
{
	return "lumarch 0.1 (ZNLumarch lighting director previewer)";
}

std::string OutputPathProblem(const std::string& Path)
{
	if (Path.empty())
	{
		return "the file name is empty";
	}
	struct stat Info;
	if (stat(Path.c_str(), &Info) == 0)
	{
		if (S_ISDIR(Info.st_mode))
		{
			return "'" + Path + "' is a directory";
		}
		if (!S_ISREG(Info.st_mode))
		{
			return "'" + Path + "' is not a regular file (a device, pipe or socket)";
		}
	}
	const std::string Folder = FolderOf(Path);
	if (stat(Folder.c_str(), &Info) != 0)
	{
		return "cannot write '" + Path + "': the folder '" + Folder + "': " + std::strerror(errno);
	}
	if (!S_ISDIR(Info.st_mode))
	{
		return "cannot write '" + Path + "': '" + Folder + "' is not a folder";
	}
	if (access(Folder.c_str(), W_OK | X_OK) != 0)
	{
		return "cannot write '" + Path + "': the folder '" + Folder + "': " + std::strerror(errno);
	}
	return std::string();
}

EParseResult ParsePreviewOptions(int Argc, char** Argv, FPreviewOptions& Options)
{
	CLI::App App(
		"Runs a lighting director through one day in a headless level and prints, at each step,\n"
		"what its sun, moon, sky and post-process show. Its built-in preset has a bright day, a\n"
		"warm dawn and dusk and a cold night, blended by the sun's height. Without a command,\n"
		"lumarch previews.",
		"lumarch");
	App.set_version_flag("--version", LumarchVersion());
	App.require_subcommand(0, 1);
	std::string ViewSizeText;
	std::string Quality;
	AddRunOptions(App, Options, false, ViewSizeText, Quality);

	CLI::App* Preview = App.add_subcommand("preview",
		"an editor level: the director's TotalTime is dragged through the day as in the Details panel, and each edit redraws the scene");
	AddRunOptions(*Preview, Options, false, ViewSizeText, Quality);
	CLI::App* Play = App.add_subcommand("play", "a level in play: the game clock advances frame by frame and the director reads it and redraws every frame");
	AddRunOptions(*Play, Options, true, ViewSizeText, Quality);

	CLI::App* Preset = App.add_subcommand("preset", "write or check preset files")->require_subcommand(1);
	CLI::App* Dump = Preset->add_subcommand("dump", "write the built-in preset, complete and editable, to FILE (standard output without one)");
	Dump->add_option("FILE", Options.DumpPath, "where to write it")->check(OutputFile)->type_name("FILE");
	CLI::App* Check = Preset->add_subcommand("check",
		"load each FILE and list values outside the editor's limits, locked values that are set, and values that degenerate the look; "
		"exit 0 when clean, 1 with findings, 2 when a file cannot be loaded");
	Check->add_option("FILE", Options.CheckPaths, "preset files")->required()->check(InputFile)->type_name("FILE");

	try
	{
		App.parse(Argc, Argv);
	}
	catch (const CLI::CallForHelp& Help)
	{
		App.exit(Help);
		return EParseResult::HelpShown;
	}
	catch (const CLI::CallForAllHelp& Help)
	{
		App.exit(Help);
		return EParseResult::HelpShown;
	}
	catch (const CLI::CallForVersion& Version)
	{
		App.exit(Version);
		return EParseResult::HelpShown;
	}
	catch (const CLI::ParseError& Error)
	{
		std::string Message = Error.what();
		while (!Message.empty() && Message.back() == '\n')
		{
			Message.pop_back();
		}
		std::fprintf(stderr, "lumarch: %s (try --help)\n", Message.c_str());
		return EParseResult::BadInput;
	}

	Options.Mode = Play->parsed() ? EPreviewMode::Play : EPreviewMode::Editor;
	if (Dump->parsed())
	{
		Options.Command = ELumarchCommand::PresetDump;
	}
	else if (Check->parsed())
	{
		Options.Command = ELumarchCommand::PresetCheck;
	}
	if (!ViewSizeText.empty())
	{
		const size_t Cross = ViewSizeText.find('x');
		Options.ViewWidth = std::stoi(ViewSizeText.substr(0, Cross));
		Options.ViewHeight = std::stoi(ViewSizeText.substr(Cross + 1));
	}
	Options.bPaperMultipleScattering = Quality == "paper";
	return EParseResult::Run;
}
