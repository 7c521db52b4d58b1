// The previewer as a user runs it: the built program, started with bad input of every kind, must
// answer with one line naming the file or option and the place, exit 2, and leave every file as it
// was; the preset commands must keep their promises (a dump that loads back whole, check's exit codes).
#include "Support/CsvTesting.h"
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
	namespace fs = std::filesystem;

	struct FRun
	{
		int ExitCode = -1;
		std::string Out;
		std::string Err;
	};

	std::string ReadAll(const fs::path& Path)
	{
		std::ifstream File(Path, std::ios::binary);
		std::ostringstream Text;
		Text << File.rdbuf();
		return Text.str();
	}

	void WriteAll(const fs::path& Path, const std::string& Bytes)
	{
		std::ofstream File(Path, std::ios::binary | std::ios::trunc);
		File << Bytes;
	}

	/** Every file of a folder with its bytes: what a failed run must leave exactly as it found. */
	std::map<std::string, std::string> Snapshot(const fs::path& Folder)
	{
		std::map<std::string, std::string> Files;
		for (const fs::directory_entry& Entry : fs::directory_iterator(Folder))
		{
			Files[Entry.path().filename().string()] = Entry.is_regular_file() ? ReadAll(Entry.path()) : std::string("<not a regular file>");
		}
		return Files;
	}

	class LumarchCommandLine : public ::testing::Test
	{
	protected:
		fs::path Dir;

		void SetUp() override
		{
			std::string Template = (fs::temp_directory_path() / "lumarch-cli-XXXXXX").string();
			ASSERT_NE(mkdtemp(Template.data()), nullptr) << std::strerror(errno);
			Dir = Template;
		}

		void TearDown() override
		{
			std::error_code Ignored;
			fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, Ignored);
			fs::remove_all(Dir, Ignored);
		}

		std::string Expand(const std::string& Arg) const
		{
			return std::regex_replace(Arg, std::regex("\\{dir\\}"), Dir.string());
		}

		/** A pattern with {dir} standing for this test's folder, matched literally. */
		std::regex Pattern(const std::string& Text) const
		{
			const std::string Folder = std::regex_replace(Dir.string(), std::regex(R"([.^$|()\[\]{}*+?\\])"), "\\$&");
			return std::regex(std::regex_replace(Text, std::regex("\\{dir\\}"), Folder));
		}

		/** Runs the program with Args ({dir} is this test's folder); FileSizeLimit as `ulimit -f` would set it. */
		FRun Run(const std::vector<std::string>& Args, long FileSizeLimit = -1) const
		{
			std::vector<std::string> Expanded{ZN_LUMARCH_PATH};
			for (const std::string& Arg : Args)
			{
				Expanded.push_back(Expand(Arg));
			}
			std::vector<char*> Argv;
			for (std::string& Arg : Expanded)
			{
				Argv.push_back(Arg.data());
			}
			Argv.push_back(nullptr);
			const fs::path OutPath = fs::temp_directory_path() / (Dir.filename().string() + ".out");
			const fs::path ErrPath = fs::temp_directory_path() / (Dir.filename().string() + ".err");
			const pid_t Child = fork();
			if (Child == 0)
			{
				const int Out = open(OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
				const int Err = open(ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
				dup2(Out, STDOUT_FILENO);
				dup2(Err, STDERR_FILENO);
				if (FileSizeLimit >= 0)
				{
					const rlimit Limit{static_cast<rlim_t>(FileSizeLimit), static_cast<rlim_t>(FileSizeLimit)};
					setrlimit(RLIMIT_FSIZE, &Limit);
				}
				// A program that hangs (on a pipe, say) is killed and fails its test instead of stalling the suite.
				alarm(60);
				execv(Argv[0], Argv.data());
				_exit(127);
			}
			FRun Result;
			int Status = 0;
			waitpid(Child, &Status, 0);
			Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
			Result.Out = ReadAll(OutPath);
			Result.Err = ReadAll(ErrPath);
			fs::remove(OutPath);
			fs::remove(ErrPath);
			return Result;
		}
	};

	/** One bad input: the files the folder holds first, the arguments, and the one line that must explain it. */
	struct FBadInputRow
	{
		const char* Name;
		std::map<std::string, std::string> Files;
		std::vector<std::string> Args;
		const char* ExpectedError;
	};

	void PrintTo(const FBadInputRow& Row, std::ostream* Out) { *Out << Row.Name; }

	class LumarchBadInput : public LumarchCommandLine, public ::testing::WithParamInterface<FBadInputRow>
	{
	};

	const std::string KeptPreset = "{ \"SunLightSettings\": { \"Intensity\": 7 } }\n";
}

// Bad input gets one line on stderr naming the file or option and the place, exit 2, no output on
// stdout, and no file created or touched (each run also asks for a preset save and a picture).
TEST_P(LumarchBadInput, RefusedWithOneLineAndNothingWritten)
{
	const FBadInputRow& Row = GetParam();
	WriteAll(Dir / "kept.json", KeptPreset);
	for (const auto& [Name, Bytes] : Row.Files)
	{
		WriteAll(Dir / Name, Bytes);
	}
	const std::map<std::string, std::string> Before = Snapshot(Dir);
	std::vector<std::string> Args = Row.Args;
	if (Args.empty() || (Args[0] != "preset"))
	{
		Args.insert(Args.end(), {"--save-preset", "{dir}/kept.json", "--svg", "{dir}/new.svg"});
	}

	const FRun Result = Run(Args);

	EXPECT_EQ(Result.ExitCode, 2) << Result.Err;
	EXPECT_TRUE(std::regex_search(Result.Err, Pattern(Row.ExpectedError))) << "stderr: " << Result.Err;
	EXPECT_EQ(std::count(Result.Err.begin(), Result.Err.end(), '\n'), 1) << "one line: " << Result.Err;
	EXPECT_EQ(Result.Out, "");
	EXPECT_EQ(Snapshot(Dir), Before) << "a refused run leaves every file as it was";
}

INSTANTIATE_TEST_SUITE_P(Table, LumarchBadInput, ::testing::Values(
	// Files that are not preset files.
	FBadInputRow{"MissingFile", {}, {"{dir}/missing.json"}, "cannot load the preset '{dir}/missing.json': No such file or directory"},
	FBadInputRow{"Directory", {}, {"{dir}"}, "cannot load the preset '{dir}': it is a directory, not a preset file"},
	FBadInputRow{"EmptyFile", {{"p.json", ""}}, {"{dir}/p.json"}, "'{dir}/p.json': the file is empty"},
	FBadInputRow{"Device", {}, {"/dev/zero"}, "'/dev/zero': not a regular file"},
	// A regular file whose reading fails, even for the superuser (its first page is never mapped).
	FBadInputRow{"ReadFails", {}, {"/proc/self/mem"}, "'/proc/self/mem': Input/output error"},
	FBadInputRow{"ByteOrderMark", {{"p.json", "\xEF\xBB\xBF{}"}}, {"{dir}/p.json"}, "line 1, column 1: the text starts with a UTF-8 byte-order mark"},
	FBadInputRow{"NotUtf8", {{"p.json", "{\"DynamicOverrides\":{\"Day\":{\"Name\":\"\xFF\"}}}"}}, {"{dir}/p.json"}, "'{dir}/p.json': the file is not UTF-8 text"},
	// Text that is not JSON, or not the JSON a conforming parser accepts.
	FBadInputRow{"Malformed", {{"p.json", "{\n  \"SunLightSettings\": { \"Intensity\": 3,, }\n}"}}, {"{dir}/p.json"}, "'{dir}/p.json': line 2, column 40: syntax error"},
	FBadInputRow{"NulAfterDocument", {{"p.json", std::string("{}\0{\"garbage\"", 13)}}, {"{dir}/p.json"}, "line 1, column 3: a NUL byte"},
	FBadInputRow{"EscapedNulInString", {{"p.json", "{\"DynamicOverrides\":{\"Day\":{\"Name\":\"a\\u0000b\"}}}"}}, {"{dir}/p.json"}, "DynamicOverrides\\.Day\\.Name: expected text without NUL"},
	FBadInputRow{"LoneSurrogate", {{"p.json", "{\"DynamicOverrides\":{\"Day\":{\"Name\":\"\\ud800x\"}}}"}}, {"{dir}/p.json"}, "line 1, column 43: .*surrogate"},
	FBadInputRow{"LeadingZero", {{"p.json", "{\"SunLightSettings\":{\"Intensity\":01}}"}}, {"{dir}/p.json"}, "line 1, column 35: "},
	FBadInputRow{"DuplicateKey", {{"p.json", "{\"SunLightSettings\":{\"Intensity\":1},\n \"SunLightSettings\":{}}"}}, {"{dir}/p.json"},
		"line 2, column 2: the member \"SunLightSettings\" appears twice \\(first at line 1, column 2\\)"},
	// JSON that does not fit the preset.
	FBadInputRow{"WrongType", {{"p.json", "{ \"SunLightSettings\": { \"Intensity\": \"bright\" } }"}}, {"{dir}/p.json"}, "SunLightSettings\\.Intensity: expected a number, got a string"},
	FBadInputRow{"UnknownName", {{"p.json", "{ \"SunLightSettings\": { \"Intensty\": 1 } }"}}, {"{dir}/p.json"}, "SunLightSettings\\.Intensty: no such property; did you mean 'Intensity'\\?"},
	FBadInputRow{"FloatOutOfRange", {{"p.json", "{\"CelestialRotationSettings\":{\"SunNoonAltitudeDeg\":1e39}}"}}, {"play", "{dir}/p.json"},
		"CelestialRotationSettings\\.SunNoonAltitudeDeg: 1e\\+39 is out of range for a float"},
	FBadInputRow{"IntOutOfRange", {{"p.json", "{\"CelestialRotationSettings\":{\"MoonCycleDays\":2147483648}}"}}, {"{dir}/p.json"},
		"CelestialRotationSettings\\.MoonCycleDays: 2147483648 is out of range for an int32"},
	FBadInputRow{"IntBeyond64Bits", {{"p.json", "{\"CelestialRotationSettings\":{\"MoonCycleDays\":99999999999999999999}}"}}, {"{dir}/p.json"},
		"CelestialRotationSettings\\.MoonCycleDays: 1e\\+20 is out of range for an int32"},
	FBadInputRow{"NanInStructText", {{"p.json", "{\"CelestialRotationSettings\":\"(SunNoonAltitudeDeg=nan)\"}"}}, {"{dir}/p.json"},
		"CelestialRotationSettings\\.SunNoonAltitudeDeg: expected a finite number"},
	FBadInputRow{"InfInStructText", {{"p.json", "{\"CelestialRotationSettings\":\"(SunNoonAltitudeDeg=inf)\"}"}}, {"{dir}/p.json"},
		"CelestialRotationSettings\\.SunNoonAltitudeDeg: expected a finite number"},
	// Options.
	FBadInputRow{"StepsZero", {}, {"--steps", "0"}, "--steps: Value 0 not in range"},
	FBadInputRow{"StepsHex", {}, {"--steps", "0x10"}, "--steps: expected a whole number in decimal digits, got '0x10'"},
	FBadInputRow{"StepsLeadingBlank", {}, {"--steps", " 3"}, "--steps: expected a whole number in decimal digits, got ' 3'"},
	FBadInputRow{"DaylightHexFloat", {}, {"--daylight", "0x1p-1"}, "--daylight: expected a decimal number, got '0x1p-1'"},
	FBadInputRow{"DaylightAboveOne", {}, {"preview", "--daylight", "1.5"}, "--daylight: Value 1.5 not in range"},
	FBadInputRow{"FpsOnPreview", {}, {"preview", "--fps", "10"}, "--fps"},
	FBadInputRow{"DayLengthOnPreview", {}, {"--day-length", "10"}, "--day-length"},
	FBadInputRow{"FpsOutOfRange", {}, {"play", "--fps", "241"}, "--fps: Value 241 not in range"},
	FBadInputRow{"EmptyPresetPath", {}, {""}, "PRESET: the file name is empty"},
	FBadInputRow{"EmptyOutputPath", {}, {"--svg", ""}, "--svg: the file name is empty"},
	FBadInputRow{"ViewSizeZero", {}, {"--view-size", "0x10"}, "--view-size: expected WIDTHxHEIGHT with each side from 1 to 4096"},
	FBadInputRow{"ViewSizeTooLarge", {}, {"play", "--view-size", "4097x128"}, "--view-size: expected WIDTHxHEIGHT"},
	FBadInputRow{"ViewsTooManyPixels", {}, {"--view-size", "4096x4096", "--html", "{dir}/day.html"}, "--view-size 4096x4096: 25 steps of views make"},
	FBadInputRow{"FilmstripTooLarge", {}, {"--view-size", "64x4096", "--steps", "100", "--png", "{dir}/day.png"}, "--png: 101 views of 64x4096 make a picture of"},
	FBadInputRow{"MsQualityUnknown", {}, {"--ms-quality", "best"}, "--ms-quality: best not in \\{engine,paper\\}"},
	FBadInputRow{"UnknownOption", {}, {"--stepz", "3"}, "--stepz"},
	FBadInputRow{"SettingWithoutValue", {}, {"--set", "WorldSettings.DayLightFraction"}, "--set: expected Path=Value"},
	FBadInputRow{"SettingUnknownPath", {}, {"--set", "WorldSettings.DaylightFractoin=0.3"}, "--set WorldSettings\\.DaylightFractoin=0\\.3: .*'DaylightFractoin'"},
	FBadInputRow{"SettingLockedByEditCondition", {}, {"play", "--set", "SunLightSettings.OcclusionMaskDarkness=0.3"},
		"--set SunLightSettings\\.OcclusionMaskDarkness=0\\.3: 'OcclusionMaskDarkness' is read-only while its edit condition 'LightShaftOcclusion' is false"},
	// Outputs that cannot be written.
	FBadInputRow{"OutputFolderMissing", {}, {"--png", "{dir}/no/such/folder/view.png"}, "--png: cannot write '{dir}/no/such/folder/view\\.png': the folder"},
	FBadInputRow{"OutputIsDirectory", {{"sub/x", ""}}, {"--html", "{dir}"}, "--html: '{dir}' is a directory"},
	FBadInputRow{"OutputIsDevice", {}, {"preset", "dump", "/dev/null"}, "FILE: '/dev/null' is not a regular file"},
	FBadInputRow{"DumpIntoMissingFolder", {}, {"preset", "dump", "{dir}/none/p.json"}, "FILE: cannot write"}),
	[](const ::testing::TestParamInfo<FBadInputRow>& Info) { return std::string(Info.param.Name); });

// A pipe with no writer would block a reader forever; the program must refuse it at once.
TEST_F(LumarchCommandLine, PipeRefusedWithoutWaiting)
{
	ASSERT_EQ(mkfifo((Dir / "fifo").c_str(), 0600), 0) << std::strerror(errno);
	const FRun Result = Run({"{dir}/fifo"});
	EXPECT_EQ(Result.ExitCode, 2);
	EXPECT_NE(Result.Err.find("not a regular file"), std::string::npos) << Result.Err;
}

// A file far larger than any preset is refused by its size, before it is read into memory.
TEST_F(LumarchCommandLine, HugeFileRefusedBySize)
{
	{
		std::ofstream File(Dir / "huge.json");
	}
	fs::resize_file(Dir / "huge.json", 17u * 1024 * 1024);
	const FRun Result = Run({"{dir}/huge.json"});
	EXPECT_EQ(Result.ExitCode, 2);
	EXPECT_NE(Result.Err.find("larger than 16 MiB"), std::string::npos) << Result.Err;
}

// A file the user may not read is named with the system's reason.
TEST_F(LumarchCommandLine, UnreadableFileRefused)
{
	if (geteuid() == 0)
	{
		GTEST_SKIP() << "the superuser reads every file";
	}
	WriteAll(Dir / "p.json", "{}");
	fs::permissions(Dir / "p.json", fs::perms::none);
	const FRun Result = Run({"{dir}/p.json"});
	EXPECT_EQ(Result.ExitCode, 2);
	EXPECT_NE(Result.Err.find("Permission denied"), std::string::npos) << Result.Err;
}

// A write that fails midway (here: beyond `ulimit -f`) leaves the old file whole and no stub or scratch file beside it.
TEST_F(LumarchCommandLine, FailedWriteKeepsTheOldFile)
{
	for (const char* Option : {"--save-preset", "--svg"})
	{
		WriteAll(Dir / "old", "the previous file\n");
		const FRun Result = Run({"--steps", "96", Option, "{dir}/old"}, 4096);
		EXPECT_EQ(Result.ExitCode, 2) << Option << ": " << Result.Err;
		EXPECT_NE(Result.Err.find("File too large"), std::string::npos) << Option << ": " << Result.Err;
		EXPECT_EQ(ReadAll(Dir / "old"), "the previous file\n") << Option;
		EXPECT_EQ(Snapshot(Dir).size(), 1u) << Option << ": no temporary file is left behind";
	}
}

// The dump is the whole built-in preset: it loads back and saves to the same bytes, to stdout as to a file.
TEST_F(LumarchCommandLine, DumpLoadsBackToTheSameDump)
{
	const FRun ToFile = Run({"preset", "dump", "{dir}/dump.json"});
	ASSERT_EQ(ToFile.ExitCode, 0) << ToFile.Err;
	const FRun ToStdout = Run({"preset", "dump"});
	ASSERT_EQ(ToStdout.ExitCode, 0) << ToStdout.Err;
	EXPECT_EQ(ToStdout.Out, ReadAll(Dir / "dump.json"));
	EXPECT_NE(ToStdout.Out.find("\"DynamicOverrides\": {"), std::string::npos) << "the dynamic preset is inline";
	// The assets the preset refers to travel in the file, by name, with what an artist edits in them.
	for (const char* Expected : {"\"$name\": \"M_LookGrade\"", "\"$name\": \"M_SkySphere\"", "\"$name\": \"MPC_Celestial\"", "\"Name\": \"Vignette\"",
			 "\"Name\": \"Tint\"", "\"ParameterName\": \"SunLightDirection\"",
			 "\"$name\": \"C_LinearBlend\"", "\"$name\": \"C_AstronomicalNight\""})
	{
		EXPECT_NE(ToStdout.Out.find(Expected), std::string::npos) << Expected;
	}

	const FRun Again = Run({"{dir}/dump.json", "--steps", "1", "--save-preset", "{dir}/again.json"});
	ASSERT_EQ(Again.ExitCode, 0) << Again.Err;
	EXPECT_EQ(ReadAll(Dir / "again.json"), ReadAll(Dir / "dump.json"));
	EXPECT_EQ(Run({"preset", "check", "{dir}/dump.json"}).Out, Dir.string() + "/dump.json: clean\n");
}

// The built-in day curve is there to be bent: as it is, the day renders exactly as with no curve at all.
TEST_F(LumarchCommandLine, BuiltInDayCurveLeavesTheDayUnchanged)
{
	const FRun Dump = Run({"preset", "dump"});
	ASSERT_EQ(Dump.ExitCode, 0) << Dump.Err;
	nlohmann::json WithoutDayCurve = nlohmann::json::parse(Dump.Out);
	ASSERT_TRUE(WithoutDayCurve["CelestialRotationSettings"]["DayTimeCycleBlendCurve"].is_object()) << Dump.Out;
	WithoutDayCurve["CelestialRotationSettings"]["DayTimeCycleBlendCurve"] = nullptr;
	WriteAll(Dir / "without-day-curve.json", WithoutDayCurve.dump(2));

	const FRun Curved = Run({"--steps", "97", "--csv", "--png", "{dir}/curved.png", "--view-size", "48x24"});
	const FRun Straight = Run({"{dir}/without-day-curve.json", "--steps", "97", "--csv", "--png", "{dir}/straight.png", "--view-size", "48x24"});
	ASSERT_EQ(Curved.ExitCode, 0) << Curved.Err;
	ASSERT_EQ(Straight.ExitCode, 0) << Straight.Err;
	EXPECT_EQ(Curved.Out, Straight.Out);
	EXPECT_TRUE(ReadAll(Dir / "curved.png") == ReadAll(Dir / "straight.png")) << "the rendered views differ";
}

// The built-in night curve keeps the night look wherever the sun is 18 degrees or more below the
// horizon (astronomical night), and blends towards dawn and dusk only above that.
TEST_F(LumarchCommandLine, BuiltInNightCurveHoldsTheNightBelowAstronomicalTwilight)
{
	const FRun Day = Run({"--steps", "96", "--csv"});
	ASSERT_EQ(Day.ExitCode, 0) << Day.Err;
	std::istringstream Lines(Day.Out);
	std::string Line;
	std::getline(Lines, Line);
	int DeepRows = 0;
	int TwilightRows = 0;
	while (std::getline(Lines, Line))
	{
		const std::vector<std::string> Fields = CsvTesting::SplitFields(Line);
		ASSERT_GT(Fields.size(), 17u) << Line;
		const double SunAltitude = std::stod(Fields[3]);
		const double Phase = std::stod(Fields[13]);
		if (SunAltitude <= -18.0)
		{
			++DeepRows;
			EXPECT_EQ(Phase, -1.0) << Line;
			EXPECT_EQ(Fields[17], "Night") << Line;
		}
		else if (SunAltitude < -1.0)
		{
			++TwilightRows;
			EXPECT_GT(Phase, -1.0) << Line;
			EXPECT_LT(Phase, 0.0) << Line;
		}
	}
	EXPECT_GT(DeepRows, 10);
	EXPECT_GT(TwilightRows, 4);
}

// check lists each finding with its path and exits 1; a file it cannot load makes it exit 2 but the others are still checked.
TEST_F(LumarchCommandLine, CheckReportsLimitsLocksAndDegenerateLooks)
{
	WriteAll(Dir / "odd.json", R"({
		"WorldSettings": { "bOverride_DayLightFraction": true, "DayLightFraction": 1.5 },
		"CelestialRotationSettings": { "SunLightFadeRange": { "FadeStartDeg": 3, "FadeEndDeg": 3 } },
		"DynamicOverrides": { "Night": {
			"PostProcessSettings": { "bOverride_MinEV100": true, "MinEV100": 5, "bOverride_MaxEV100": true, "MaxEV100": 2 },
			"FogSettings": { "Density": 0.5 } } }
	})");
	const FRun Findings = Run({"preset", "check", "{dir}/odd.json"});
	EXPECT_EQ(Findings.ExitCode, 1) << Findings.Err;
	for (const char* Expected : {
			 "odd.json: WorldSettings.DayLightFraction: 1.5 is above the editor's limit 1.0\n",
			 "odd.json: WorldSettings.DayLightFraction: 1.5 keeps the sun above the horizon all day\n",
			 "odd.json: CelestialRotationSettings.SunLightFadeRange: a fade range of zero width",
			 "odd.json: DynamicOverrides.Night.PostProcessSettings: MinEV100 5 is above MaxEV100 2",
			 "odd.json: DynamicOverrides.Night.FogSettings.Density: set to 0.5 while its edit condition 'bOverride_Density' is false"})
	{
		EXPECT_NE(Findings.Out.find(Expected), std::string::npos) << Expected << "\nin:\n" << Findings.Out;
	}

	WriteAll(Dir / "clean.json", "{}");
	EXPECT_EQ(Run({"preset", "check", "{dir}/clean.json"}).ExitCode, 0);
	const FRun Mixed = Run({"preset", "check", "{dir}/clean.json", "{dir}/missing.json", "{dir}/odd.json"});
	EXPECT_EQ(Mixed.ExitCode, 2);
	EXPECT_NE(Mixed.Out.find("missing.json: cannot be loaded: No such file or directory"), std::string::npos) << Mixed.Out;
	EXPECT_NE(Mixed.Out.find("odd.json: WorldSettings.DayLightFraction"), std::string::npos) << "files after a bad one are still checked";
}

// --set goes through the Details panel: a value beyond the limit is clamped and said so, and the edit reaches the run.
TEST_F(LumarchCommandLine, SetEditsThroughTheEditor)
{
	WriteAll(Dir / "named.json", R"({ "DynamicOverrides": { "Day": { "Name": "Sunny, \"bright\"" } } })");
	const FRun Result = Run({"play", "{dir}/named.json", "--csv", "--steps", "2", "--set", "WorldSettings.bOverride_DayLightFraction=true",
		"--set", "WorldSettings.DayLightFraction=7", "--set", "DynamicOverrides.Day.FogSettings.bOverride_Density=true", "--set", "DynamicOverrides.Day.FogSettings.Density=0.25",
		"--save-preset", "{dir}/edited.json"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_NE(Result.Err.find("--set WorldSettings.DayLightFraction=7: clamped to 1"), std::string::npos) << Result.Err;
	const std::string Saved = ReadAll(Dir / "edited.json");
	EXPECT_NE(Saved.find("\"DayLightFraction\": 1.0"), std::string::npos);
	EXPECT_NE(Saved.find("\"Density\": 0.25"), std::string::npos) << "paths under DynamicOverrides edit the dynamic preset";
	// RFC 4180: a field holding a comma or quote is quoted, its quotes doubled, so the row keeps its columns.
	EXPECT_NE(Result.Out.find(",\"Sunny, \"\"bright\"\"\","), std::string::npos) << Result.Out;
}

// The bare program previews, and an option before the command still belongs to the run (not taken for a preset name).
TEST_F(LumarchCommandLine, CommandsAndOptionsInAnyOrder)
{
	const FRun Bare = Run({"--steps", "2", "--csv"});
	EXPECT_EQ(Bare.ExitCode, 0) << Bare.Err;
	EXPECT_NE(Bare.Out.find("\n1.000000,24:00,2400.00,"), std::string::npos);
	const FRun PlayAfterOption = Run({"--csv", "play", "--steps", "1"});
	EXPECT_EQ(PlayAfterOption.ExitCode, 0) << PlayAfterOption.Err;
	EXPECT_NE(PlayAfterOption.Err.find("lumarch: played one day of 1440 s in 43201 frames at 30 fps"), std::string::npos) << PlayAfterOption.Err;
	EXPECT_EQ(PlayAfterOption.Err.find("\r"), std::string::npos) << "no progress bar when stderr is not a terminal";
	for (const std::vector<std::string>& Help : {std::vector<std::string>{"--help"}, {"play", "--help"}, {"preset", "check", "--help"}, {"--version"}})
	{
		const FRun Shown = Run(Help);
		EXPECT_EQ(Shown.ExitCode, 0) << Help.front();
		EXPECT_NE(Shown.Out.find("lumarch"), std::string::npos) << Help.front();
	}
}
