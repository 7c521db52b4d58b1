#include "DayOutputs.h"
#include "DayDrawing.h"
#include "DayViews.h"

#include <cstdio>

bool WantsViews(const FPreviewOptions& Options)
{
	return !Options.PngPath.empty() || !Options.HtmlPath.empty();
}

bool WriteDayOutputs(const FPreviewOptions& Options, const FDayRecord& Day, std::string& OutError)
{
	auto Failed = [&](const std::string& Path, const std::string& Why)
	{
		OutError = "cannot write '" + Path + "': " + Why;
		return false;
	};
	std::string Error;
	if (!Options.PicturePath.empty())
	{
		if (!WriteDayChartSvg(Options.PicturePath, Day.Moments, Error))
		{
			return Failed(Options.PicturePath, Error);
		}
		std::fprintf(stderr, "lumarch: wrote a picture of the day to '%s'\n", Options.PicturePath.c_str());
	}
	if (!WantsViews(Options))
	{
		return true;
	}

	FDayViewSettings Settings;
	Settings.View.Width = Options.ViewWidth;
	Settings.View.Height = Options.ViewHeight;
	Settings.Form = Options.bPaperMultipleScattering ? EMultipleScatteringForm::Paper : EMultipleScatteringForm::EngineDefault;
	FDayViewStats Stats;
	const std::vector<FRenderedView> Views = RenderDayViews(Day.Scenes, Settings, &Stats);
	std::fprintf(stderr, "lumarch: rendered %zu views of %dx%d in %.2f s on %d threads (tables built: %d transmittance, %d multiple scattering, %d sky view)\n",
		Views.size(), Options.ViewWidth, Options.ViewHeight, Stats.Seconds, Stats.Threads, Stats.Tables.TransmittanceBuilds, Stats.Tables.MultiScatteringBuilds,
		Stats.Tables.SkyViewBuilds);

	if (!Options.PngPath.empty())
	{
		if (!WriteDayFilmstripPng(Options.PngPath, Day.Moments, Views, Error))
		{
			return Failed(Options.PngPath, Error);
		}
		std::fprintf(stderr, "lumarch: wrote the views of the day to '%s'\n", Options.PngPath.c_str());
	}
	if (!Options.HtmlPath.empty())
	{
		if (!WriteDayPage(Options.HtmlPath, FDayPage{Day.Title, Day.Moments, Views, Day.Table}, Error))
		{
			return Failed(Options.HtmlPath, Error);
		}
		std::fprintf(stderr, "lumarch: wrote a page that scrubs the day to '%s'\n", Options.HtmlPath.c_str());
	}
	return true;
}
