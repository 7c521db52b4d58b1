// The views of a day: each moment's captured scene rendered as a horizon panorama facing the light
// that dominates the sky, on every core.
#pragma once

#include "Renderer/SceneRenderState.h"
#include "Renderer/SceneViewRenderer.h"

#include <vector>

struct FDayViewSettings
{
	/** Size, field of view and eye height; the centre yaw is chosen per moment. */
	FViewDescription View;
	EMultipleScatteringForm Form = EMultipleScatteringForm::EngineDefault;
	/** Threads to render on; 0 for one per core. */
	int Threads = 0;
};

struct FDayViewStats
{
	double Seconds = 0.0;
	int Threads = 0;
	/** Table builds summed over the threads' renderers. */
	FSkyAtmosphereLuts::FStats Tables;
};

/** Compass yaw (degrees) the view of Scene faces: the sun while it lights the sky, else the moon. */
double ViewYawFor(const FSceneRenderState& Scene, double PreviousYaw);

/**
 * Renders every scene, each from an eye over the ground at GroundWorldZ[i] (cm; empty: 0, the
 * editor level's ground). The moments are split into contiguous runs, one per thread, each with its own
 * renderer, so that a run rebuilds its tables only where the look changed them.
 */
std::vector<FRenderedView> RenderDayViews(const std::vector<FSceneRenderState>& Scenes, const std::vector<double>& GroundWorldZ, const FDayViewSettings& Settings,
	FDayViewStats* OutStats = nullptr);
