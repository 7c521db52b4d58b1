// The page that scrubs the day, opened as a user opens it: the previewer writes it, a real headless
// browser loads it at a moment given in the address, and what it shows is that moment's row.
#include "Support/CsvTesting.h"
#include <cairo.h>
#include <gtest/gtest.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
	struct FCommandResult
	{
		int ExitCode = -1;
		std::string Output;
	};

	FCommandResult RunCommand(const std::string& Command)
	{
		FCommandResult Result;
		FILE* Pipe = popen(Command.c_str(), "r");
		if (Pipe == nullptr)
		{
			return Result;
		}
		std::array<char, 4096> Buffer;
		size_t Count;
		while ((Count = std::fread(Buffer.data(), 1, Buffer.size(), Pipe)) > 0)
		{
			Result.Output.append(Buffer.data(), Count);
		}
		const int Status = pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		return Result;
	}

	std::vector<std::string> SplitLines(const std::string& Text)
	{
		std::vector<std::string> Lines;
		std::istringstream Stream(Text);
		for (std::string Line; std::getline(Stream, Line);)
		{
			Lines.push_back(Line);
		}
		return Lines;
	}

	/** The values the page shows in its row, in order. */
	std::vector<std::string> ShownRow(const std::string& Dom)
	{
		std::vector<std::string> Values;
		const std::regex Value("<span class=\"value\">([^<]*)</span>");
		for (auto It = std::sregex_iterator(Dom.begin(), Dom.end(), Value); It != std::sregex_iterator(); ++It)
		{
			Values.push_back((*It)[1]);
		}
		return Values;
	}

	class DayPage : public testing::Test
	{
	protected:
		static void SetUpTestSuite()
		{
			Folder = new std::filesystem::path(std::filesystem::temp_directory_path() / ("lumarch-page-" + std::to_string(getpid())));
			std::filesystem::create_directories(*Folder);
			const FCommandResult Preview = RunCommand(std::string(ZN_LUMARCH_PATH) + " --steps 4 --csv --view-size 64x32 --html " + (*Folder / "day.html").string() + " 2>/dev/null");
			ASSERT_EQ(Preview.ExitCode, 0) << Preview.Output;
			Csv = new std::vector<std::string>(SplitLines(Preview.Output));
		}

		static void TearDownTestSuite()
		{
			std::filesystem::remove_all(*Folder);
			delete Folder;
			delete Csv;
		}

		/** Chromium as the probe of this machine runs it: headless, no sandbox as root, no background network. */
		static FCommandResult Browse(const std::string& Arguments, const std::string& Fragment)
		{
			const std::string Profile = (*Folder / "profile").string();
			return RunCommand("chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking --disable-component-update "
					   "--disable-sync --user-data-dir=" + Profile + " " + Arguments + " 'file://" + (*Folder / "day.html").string() + Fragment + "' 2>/dev/null");
		}

		static std::filesystem::path* Folder;
		static std::vector<std::string>* Csv;
	};

	std::filesystem::path* DayPage::Folder = nullptr;
	std::vector<std::string>* DayPage::Csv = nullptr;

	struct FMoment
	{
		const char* Fragment;
		/** Line of the CSV (after its header) the fragment selects with four steps a day. */
		int Row;
	};

	class DayPageMoment : public DayPage, public testing::WithParamInterface<FMoment>
	{
	};

	// The fragment picks the moment, so a link opens the page on that moment's values.
	TEST_P(DayPageMoment, ShowsTheRowOfTheMomentInTheAddress)
	{
		const FCommandResult Dom = Browse("--dump-dom", GetParam().Fragment);
		ASSERT_EQ(Dom.ExitCode, 0);
		const std::vector<std::string> Expected = CsvTesting::SplitFields((*Csv)[1 + GetParam().Row]);
		EXPECT_EQ(ShownRow(Dom.Output), Expected) << "page at " << GetParam().Fragment;
		EXPECT_NE(Dom.Output.find("data:image/png;base64,"), std::string::npos) << "the view of the moment is embedded";
	}

	INSTANTIATE_TEST_SUITE_P(Moments, DayPageMoment, testing::Values(FMoment{"#t=0", 0}, FMoment{"#t=0.5", 2}, FMoment{"#t=1", 4}, FMoment{"", 0}),
		[](const testing::TestParamInfo<FMoment>& Info) { return "Row" + std::to_string(Info.param.Row) + (Info.param.Fragment[0] ? "" : "_NoFragment"); });

	// A page that loads but draws nothing (a script error, a broken image) would still dump; the screenshot shows it.
	TEST_F(DayPage, ScreenshotIsNotBlank)
	{
		const std::string Shot = (*Folder / "shot.png").string();
		const FCommandResult Screenshot = Browse("--window-size=900,700 --screenshot=" + Shot, "#t=0.5");
		ASSERT_EQ(Screenshot.ExitCode, 0);
		cairo_surface_t* Image = cairo_image_surface_create_from_png(Shot.c_str());
		ASSERT_EQ(cairo_surface_status(Image), CAIRO_STATUS_SUCCESS) << "no screenshot at " << Shot;
		const int Width = cairo_image_surface_get_width(Image);
		const int Height = cairo_image_surface_get_height(Image);
		const int Stride = cairo_image_surface_get_stride(Image);
		const unsigned char* Data = cairo_image_surface_get_data(Image);
		std::vector<int> Seen(1 << 12, 0);
		int Distinct = 0;
		for (int Y = 0; Y < Height; ++Y)
		{
			const uint32_t* Line = reinterpret_cast<const uint32_t*>(Data + static_cast<size_t>(Y) * Stride);
			for (int X = 0; X < Width; ++X)
			{
				// Colours reduced to 4 bits a channel: a blank page has one, a drawn one many.
				const uint32_t P = Line[X];
				const int Key = ((P >> 20) & 0xF) << 8 | ((P >> 12) & 0xF) << 4 | ((P >> 4) & 0xF);
				Distinct += Seen[Key]++ == 0;
			}
		}
		cairo_surface_destroy(Image);
		EXPECT_GT(Distinct, 20) << "the screenshot is (nearly) one colour";
	}
}
