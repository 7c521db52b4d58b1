#include "DayViews.h"
#include "ParallelRuns.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace
{
	double CompassYaw(const FVector3d& Direction)
	{
		return std::atan2(Direction.Y, Direction.X) * 180.0 / 3.14159265358979323846;
	}

	const FDirectionalLightRenderState* FindLight(const FSceneRenderState& Scene, int AtmosphereLightIndex)
	{
		for (const FDirectionalLightRenderState& Light : Scene.Lights)
		{
			if (Light.AtmosphereLightIndex == AtmosphereLightIndex && Light.bVisible)
			{
				return &Light;
			}
		}
		return nullptr;
	}

	void AddStats(FSkyAtmosphereLuts::FStats& Sum, const FSkyAtmosphereLuts::FStats& Part)
	{
		Sum.TransmittanceBuilds += Part.TransmittanceBuilds;
		Sum.MultiScatteringBuilds += Part.MultiScatteringBuilds;
		Sum.SkyViewBuilds += Part.SkyViewBuilds;
		Sum.TransmittanceSeconds += Part.TransmittanceSeconds;
		Sum.MultiScatteringSeconds += Part.MultiScatteringSeconds;
		Sum.SkyViewSeconds += Part.SkyViewSeconds;
	}
}

double ViewYawFor(const FSceneRenderState& Scene, double PreviousYaw)
{
	// Twilight still glows on the sun's side, so the sun is faced until it is deep below the horizon.
	constexpr double SunFacedDownTo = -0.25;
	const FDirectionalLightRenderState* Sun = FindLight(Scene, 0);
	if (Sun != nullptr && Sun->Light.Direction.Z > SunFacedDownTo)
	{
		return CompassYaw(Sun->Light.Direction);
	}
	if (const FDirectionalLightRenderState* Moon = FindLight(Scene, 1))
	{
		return CompassYaw(Moon->Light.Direction);
	}
	return Sun != nullptr ? CompassYaw(Sun->Light.Direction) : PreviousYaw;
}

std::vector<FRenderedView> RenderDayViews(const std::vector<FSceneRenderState>& Scenes, const std::vector<double>& GroundWorldZ, const FDayViewSettings& Settings,
	FDayViewStats* OutStats)
{
	const auto Started = std::chrono::steady_clock::now();
	std::vector<FViewDescription> Views(Scenes.size(), Settings.View);
	double Yaw = Settings.View.CentreYawDegrees;
	for (size_t Index = 0; Index < Scenes.size(); ++Index)
	{
		Yaw = ViewYawFor(Scenes[Index], Yaw);
		Views[Index].CentreYawDegrees = Yaw;
		Views[Index].GroundWorldZ = Index < GroundWorldZ.size() ? GroundWorldZ[Index] : 0.0;
	}

	const int Threads = RunsFor(Scenes.size(), Settings.Threads);
	std::vector<FRenderedView> Rendered(Scenes.size());
	std::vector<FSkyAtmosphereLuts::FStats> Stats(static_cast<size_t>(Threads));
	auto RenderRun = [&](int Run)
	{
		const size_t Begin = Scenes.size() * Run / Threads;
		const size_t End = Scenes.size() * (Run + 1) / Threads;
		FSceneViewRenderer Renderer(Settings.Form);
		for (size_t Index = Begin; Index < End; ++Index)
		{
			Rendered[Index] = Renderer.Render(Scenes[Index], Views[Index]);
		}
		Stats[static_cast<size_t>(Run)] = Renderer.GetLuts().GetStats();
	};
	RunInParallel(Threads, RenderRun);

	if (OutStats != nullptr)
	{
		OutStats->Threads = Threads;
		OutStats->Tables = {};
		for (const FSkyAtmosphereLuts::FStats& Part : Stats)
		{
			AddStats(OutStats->Tables, Part);
		}
		OutStats->Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Started).count();
	}
	return Rendered;
}
