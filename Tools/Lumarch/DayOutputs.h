// The files a run of the previewer writes about its day: the chart (SVG), the filmstrip of rendered
// views with the chart (PNG) and the page that scrubs the day (HTML).
#pragma once

#include "DayPage.h"
#include "DayViews.h"
#include "PreviewLevel.h"
#include "PreviewOptions.h"
#include "Renderer/SceneRenderState.h"

#include <string>
#include <vector>

struct FDayRecord
{
	std::string Title;
	std::vector<FDirectorSnapshot> Moments;
	/** The components' render state at each moment; needed for the PNG and the page. */
	std::vector<FSceneRenderState> Scenes;
	FDayTable Table;
};

/** Whether the options ask for rendered views, so the run must capture each moment's scene. */
bool WantsViews(const FPreviewOptions& Options);

/**
 * Refuses, before any work is done, views a run could not hold or draw: more pixels of views than
 * MaxViewPixels in all, or a filmstrip larger than a picture can be. The message names the option.
 */
bool CheckDayOutputs(const FPreviewOptions& Options, std::string& OutError);

/** All the views of a run together, in pixels (4096 x 4096 x 4 steps; each pixel is kept as floats and bytes). */
constexpr long long MaxViewPixels = 64LL * 1024 * 1024;

/** What writing the outputs did, for the user: a line per step, and the rendering's figures. */
struct FDayOutputsReport
{
	std::vector<std::string> Lines;
	FDayViewStats Views;
};

/** Renders what is needed and writes every file asked for. False names the file and the reason. */
bool WriteDayOutputs(const FPreviewOptions& Options, const FDayRecord& Day, std::string& OutError, FDayOutputsReport* OutReport = nullptr);
