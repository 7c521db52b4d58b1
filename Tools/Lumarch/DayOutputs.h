// The files a run of the previewer writes about its day: the chart (SVG), the filmstrip of rendered
// views with the chart (PNG) and the page that scrubs the day (HTML).
#pragma once

#include "DayPage.h"
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

/** Renders what is needed and writes every file asked for; reports each on stderr. False names the file and the reason. */
bool WriteDayOutputs(const FPreviewOptions& Options, const FDayRecord& Day, std::string& OutError);
