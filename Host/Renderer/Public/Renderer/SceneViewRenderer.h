// Renders a small view of a captured scene: the sky from the atmosphere tables with the light discs,
// below the horizon a flat ground lit by the visible lights and the sky light, the height fog over
// distance, then the camera (exposure, white balance, tone curve, sRGB).
#pragma once

#include "CoreMinimal.h"
#include "Renderer/SceneRenderState.h"
#include "Renderer/SkyAtmosphereLuts.h"

#include <cstdint>
#include <vector>

/** A horizon panorama: yaw across, altitude up. */
struct FViewDescription
{
	int Width = 256;
	int Height = 128;
	/** Compass yaw (degrees) at the centre of the view, as the engine's yaw: 0 towards +X, 90 towards +Y; it grows to the right. */
	double CentreYawDegrees = 0.0;
	double HorizontalFovDegrees = 180.0;
	double MinAltitudeDegrees = -30.0;
	double MaxAltitudeDegrees = 60.0;
	/** Eye height above the flat ground, km. */
	double EyeHeightKm = 0.0018;
	/** World Z of the flat ground (cm), where the height fog's altitude is measured from. */
	double GroundWorldZ = 0.0;
	/** Albedo of the flat ground. */
	double GroundAlbedo = 0.18;
};

struct FRenderedView
{
	int Width = 0;
	int Height = 0;
	/** Scene luminance before the camera, linear Rec.709, cd/m^2, row-major from the top-left. */
	std::vector<FVector3f> SceneLinear;
	/** The picture: 8-bit sRGB triplets, row-major from the top-left. */
	std::vector<uint8_t> Srgb8;
	double AverageLuminance = 0.0;
	double ExposureEV100 = 0.0;
};

/**
 * Keeps the atmosphere tables of the scenes it renders. One instance per thread: instances share
 * nothing mutable, so separate threads may render with separate instances at once.
 */
class FSceneViewRenderer
{
public:
	explicit FSceneViewRenderer(EMultipleScatteringForm Form = EMultipleScatteringForm::EngineDefault, const FSkyAtmosphereLutSizes& Sizes = {});

	/** Renders View of Scene; the atmosphere tables are kept between calls and rebuilt only when their inputs change. */
	FRenderedView Render(const FSceneRenderState& Scene, const FViewDescription& View);

	const FSkyAtmosphereLuts& GetLuts() const { return Luts; }

private:
	FSkyAtmosphereLuts Luts;
	/** Per-pixel scratch kept between calls (no allocation once warm): log2 luminances for metering, light discs. */
	std::vector<float> MeteringScratch;
	std::vector<FVector3d> DiscScratch;
};
