// A page that scrubs the day: one self-contained HTML file (views embedded, no outside scripts or
// fonts) whose slider moves through the moments as dragging TotalTime does in the editor.
#pragma once

#include "PreviewLevel.h"
#include "Renderer/SceneViewRenderer.h"

#include <string>
#include <vector>

struct FDayTable
{
	/** Column names and, per moment, the values as the previewer prints them. */
	std::vector<std::string> Columns;
	std::vector<std::vector<std::string>> Rows;
};

struct FDayPage
{
	std::string Title;
	std::vector<FDirectorSnapshot> Moments;
	std::vector<FRenderedView> Views;
	FDayTable Table;
};

/** The page as HTML text. */
std::string MakeDayPage(const FDayPage& Page);

bool WriteDayPage(const std::string& Path, const FDayPage& Page, std::string& OutError);
