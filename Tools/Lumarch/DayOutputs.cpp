#include "DayOutputs.h"
#include "DayDrawing.h"
#include "DayViews.h"

#include <cstdio>
#include <string>
#include <thread>

bool WantsViews(const FPreviewOptions& Options)
{
	return !Options.PngPath.empty() || !Options.HtmlPath.empty();
}

bool CheckDayOutputs(const FPreviewOptions& Options, std::string& OutError)
{
	if (!WantsViews(Options))
	{
		return true;
	}
	const long long Views = static_cast<long long>(Options.Steps) + 1;
	const long long Pixels = Views * Options.ViewWidth * Options.ViewHeight;
	char Text[256];
	if (Pixels > MaxViewPixels)
	{
		std::snprintf(Text, sizeof(Text), "--view-size %dx%d: %lld steps of views make %lld pixels; at most %lld (use a smaller view or fewer --steps)", Options.ViewWidth,
			Options.ViewHeight, Views, Pixels, MaxViewPixels);
		OutError = Text;
		return false;
	}
	const FFilmstripSize Size = FilmstripSize(static_cast<int>(Views), Options.ViewWidth, Options.ViewHeight);
	if (!Options.PngPath.empty() && (Size.Width > MaxPictureSide || Size.Height > MaxPictureSide))
	{
		std::snprintf(Text, sizeof(Text), "--png: %lld views of %dx%d make a picture of %.0fx%.0f pixels; at most %.0f a side (use a smaller --view-size or fewer --steps)", Views,
			Options.ViewWidth, Options.ViewHeight, Size.Width, Size.Height, MaxPictureSide);
		OutError = Text;
		return false;
	}
	return true;
}

bool WriteDayOutputs(const FPreviewOptions& Options, const FDayRecord& Day, std::string& OutError, FDayOutputsReport* OutReport)
{
	FDayOutputsReport Unused;
	FDayOutputsReport& Report = OutReport != nullptr ? *OutReport : Unused;
	auto Say = [&](const std::string& Line) { Report.Lines.push_back(Line); };
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
		Say("wrote a picture of the day to '" + Options.PicturePath + "'");
	}
	if (!WantsViews(Options))
	{
		return true;
	}

	FDayViewSettings Settings;
	Settings.View.Width = Options.ViewWidth;
	Settings.View.Height = Options.ViewHeight;
	Settings.Form = Options.bPaperMultipleScattering ? EMultipleScatteringForm::Paper : EMultipleScatteringForm::EngineDefault;
	std::vector<double> Grounds;
	for (const FDirectorSnapshot& Moment : Day.Moments)
	{
		Grounds.push_back(Moment.GroundZ);
	}
	FDayViewStats& Stats = Report.Views;
	const std::vector<FRenderedView> Views = RenderDayViews(Day.Scenes, Grounds, Settings, &Stats);
	char Line[256];
	std::snprintf(Line, sizeof(Line), "rendered %zu views of %dx%d in %.2f s on %d threads (tables built: %d transmittance, %d multiple scattering, %d sky view)", Views.size(),
		Options.ViewWidth, Options.ViewHeight, Stats.Seconds, Stats.Threads, Stats.Tables.TransmittanceBuilds, Stats.Tables.MultiScatteringBuilds, Stats.Tables.SkyViewBuilds);
	Say(Line);

	// The filmstrip is one large picture to compress; it is written beside the page, not before it.
	bool bPngWritten = true;
	std::string PngError;
	std::thread PngWriter;
	if (!Options.PngPath.empty())
	{
		PngWriter = std::thread([&] { bPngWritten = WriteDayFilmstripPng(Options.PngPath, Day.Moments, Views, PngError); });
	}
	const bool bPageWritten = Options.HtmlPath.empty() || WriteDayPage(Options.HtmlPath, FDayPage{Day.Title, Day.Moments, Views, Day.Table}, Error);
	if (PngWriter.joinable())
	{
		PngWriter.join();
	}

	if (!bPngWritten)
	{
		return Failed(Options.PngPath, PngError);
	}
	if (!Options.PngPath.empty())
	{
		Say("wrote the views of the day to '" + Options.PngPath + "'");
	}
	if (!bPageWritten)
	{
		return Failed(Options.HtmlPath, Error);
	}
	if (!Options.HtmlPath.empty())
	{
		Say("wrote a page that scrubs the day to '" + Options.HtmlPath + "'");
	}
	return true;
}
