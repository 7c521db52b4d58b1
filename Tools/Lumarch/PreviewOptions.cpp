#include "PreviewOptions.h"
#include <cstdlib>
#include <string>

namespace
{
	bool ParseNumber(const char* Text, double& Out)
	{
		char* End = nullptr;
		Out = std::strtod(Text, &End);
		return End && End != Text && *End == 0;
	}

	bool IsWhole(double Value)
	{
		return Value == static_cast<double>(static_cast<long long>(Value));
	}
}

void PrintUsage(FILE* Out)
{
	std::fprintf(Out,
		"Usage: lumarch [preview|play] [PRESET.json] [options]\n"
		"\n"
		"Runs a lighting director through one day in a headless level and prints, at each\n"
		"step, what its sun, moon, sky and post-process show. Its built-in preset has a\n"
		"bright day, a warm dawn and dusk and a cold night, blended by the sun's height.\n"
		"\n"
		"  preview   (default) an editor level: the director's TotalTime is dragged through\n"
		"            the day as in the Details panel, and each edit redraws the scene\n"
		"  play      a level in play: the game clock advances frame by frame and the\n"
		"            director reads it and redraws every frame\n"
		"\n"
		"  PRESET.json        a preset saved as JSON (see --save-preset) instead of the built-in one\n"
		"\n"
		"Options:\n"
		"  --steps N          rows over the day (default 24, one per hour; 1..100000)\n"
		"  --daylight F       share of the day the sun is above the horizon (default: the preset's)\n"
		"  --day-length S     play: real seconds per game day on the clock (default 1440)\n"
		"  --fps N            play: frames per second of the clock (default 30; 1..240)\n"
		"  --csv              comma-separated output instead of a table\n"
		"  --svg FILE         also write a picture of the day to FILE (SVG)\n"
		"  --png FILE         render a view of every step and write them with the chart to FILE (PNG)\n"
		"  --html FILE        write a page that scrubs the day to FILE (HTML)\n"
		"  --save-preset FILE save the preset that runs to FILE as JSON, to edit and load back\n"
		"  -h, --help         show this help\n");
}

EParseResult ParsePreviewOptions(int Argc, char** Argv, FPreviewOptions& Options)
{
	int First = 1;
	if (Argc > 1 && (std::string(Argv[1]) == "preview" || std::string(Argv[1]) == "play"))
	{
		Options.Mode = std::string(Argv[1]) == "play" ? EPreviewMode::Play : EPreviewMode::Editor;
		First = 2;
	}

	for (int Index = First; Index < Argc; ++Index)
	{
		const std::string Arg = Argv[Index];
		double Value = 0;
		// Reads the option's value and checks it; prints what was expected when it is missing or wrong.
		auto TakeValue = [&](const char* Expected, auto IsAcceptable) -> bool {
			const char* Text = Index + 1 < Argc ? Argv[++Index] : nullptr;
			if (Text && ParseNumber(Text, Value) && IsAcceptable(Value))
			{
				return true;
			}
			std::fprintf(stderr, "lumarch: %s expects %s%s%s\n", Arg.c_str(), Expected, Text ? ", got " : "", Text ? Text : "");
			return false;
		};

		if (Arg == "-h" || Arg == "--help")
		{
			PrintUsage(stdout);
			return EParseResult::HelpShown;
		}
		else if (Arg == "--csv")
		{
			Options.bCsv = true;
		}
		else if (Arg == "--view-size")
		{
			int Width = 0;
			int Height = 0;
			char Rest = 0;
			if (Index + 1 >= Argc || std::sscanf(Argv[Index + 1], "%dx%d%c", &Width, &Height, &Rest) != 2 || Width < 1 || Height < 1 || Width > 4096 || Height > 4096)
			{
				std::fprintf(stderr, "lumarch: --view-size needs WIDTHxHEIGHT, each 1..4096 (try --help)\n");
				return EParseResult::BadInput;
			}
			++Index;
			Options.ViewWidth = Width;
			Options.ViewHeight = Height;
		}
		else if (Arg == "--png" || Arg == "--html")
		{
			if (Index + 1 >= Argc)
			{
				std::fprintf(stderr, "lumarch: %s needs a file name (try --help)\n", Arg.c_str());
				return EParseResult::BadInput;
			}
			(Arg == "--png" ? Options.PngPath : Options.HtmlPath) = Argv[++Index];
		}
		else if (Arg == "--svg" || Arg == "--save-preset")
		{
			if (Index + 1 >= Argc || Argv[Index + 1][0] == 0)
			{
				std::fprintf(stderr, "lumarch: %s expects a file name\n", Arg.c_str());
				return EParseResult::BadInput;
			}
			(Arg == "--svg" ? Options.PicturePath : Options.SavePresetPath) = Argv[++Index];
		}
		else if (!Arg.empty() && Arg[0] != '-')
		{
			if (!Options.PresetPath.empty())
			{
				std::fprintf(stderr, "lumarch: one preset at a time; '%s' and '%s' given (try --help)\n", Options.PresetPath.c_str(), Arg.c_str());
				return EParseResult::BadInput;
			}
			Options.PresetPath = Arg;
		}
		else if (Arg == "--steps")
		{
			if (!TakeValue("a whole number from 1 to 100000", [](double V) { return V >= 1 && V <= 100000 && IsWhole(V); }))
			{
				return EParseResult::BadInput;
			}
			Options.Steps = static_cast<int>(Value);
		}
		else if (Arg == "--daylight")
		{
			if (!TakeValue("a number from 0 to 1", [](double V) { return V >= 0 && V <= 1; }))
			{
				return EParseResult::BadInput;
			}
			Options.DayLightFraction = static_cast<float>(Value);
		}
		else if (Arg == "--day-length")
		{
			if (!TakeValue("a number of seconds from 1 to 1000000", [](double V) { return V >= 1 && V <= 1000000; }))
			{
				return EParseResult::BadInput;
			}
			Options.DayLengthSeconds = static_cast<float>(Value);
		}
		else if (Arg == "--fps")
		{
			if (!TakeValue("a whole number from 1 to 240", [](double V) { return V >= 1 && V <= 240 && IsWhole(V); }))
			{
				return EParseResult::BadInput;
			}
			Options.FramesPerSecond = static_cast<int>(Value);
		}
		else
		{
			std::fprintf(stderr, "lumarch: unknown option '%s' (try --help)\n", Arg.c_str());
			return EParseResult::BadInput;
		}
	}
	return EParseResult::Run;
}
